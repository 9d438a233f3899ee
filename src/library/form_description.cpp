#include "form_description.h"

#include "doc_writer.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <optional>

namespace tamsel {

namespace {

using doc::Alignment;
using doc::Paragraph;
using doc::Run;
using doc::RunFormat;

constexpr double kTitleSizePt = 22;
constexpr double kDefaultSizePt = 14;
constexpr int kMaxBlankSpaces = 200;
constexpr int kMaxColumns = doc::kMaxCellsPerRow; // the widest row the .doc writer takes
const QString kCellBreak = QStringLiteral("\\\\");

// Failure of one line, numbered from 1.
struct LineError
{
    int line = 0;
    QString cause;
};

// Drops half-width blanks (space, tab) at the end; full-width spaces stay,
// because the forms indent and pad with them on purpose.
QString trimRightBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.left(end);
}

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    while (begin < text.size() && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    return trimRightBlanks(text.mid(begin));
}

// Appends `text` in `format`, joining it to the last run when the format is the same.
void appendRun(std::vector<Run> &runs, const QString &text, const RunFormat &format)
{
    if (text.isEmpty())
        return;
    if (!runs.empty() && runs.back().format == format)
        runs.back().text += text;
    else
        runs.push_back(Run{text, format});
}

// A blank as wide as `halfWidthSpaces` half-width spaces, made of full-width
// spaces (one per two) so that it keeps its width in every Chinese font: the
// half-width space of the fonts standing in for 宋体 is much narrower than half
// a character, and a rule of them would end halfway across the line.
QString blankText(int halfWidthSpaces)
{
    QString text(halfWidthSpaces / 2, QChar(0x3000));
    if (halfWidthSpaces % 2)
        text += u' ';
    return text;
}

// Splits one paragraph's text into runs by its inline marks: "**" toggles bold,
// "__" toggles underline, "_N_" is an underlined blank of N spaces.
std::optional<QString> parseInline(const QString &text, const RunFormat &base, std::vector<Run> &runs)
{
    RunFormat format = base;
    QString pending;
    auto flush = [&] {
        appendRun(runs, pending, format);
        pending.clear();
    };
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == u'*' && next == u'*') {
            flush();
            format.bold = !format.bold;
            i += 2;
            continue;
        }
        if (c == u'_' && next.isDigit()) {
            qsizetype end = i + 1;
            while (end < text.size() && text[end].isDigit())
                ++end;
            if (end < text.size() && text[end] == u'_') {
                const int count = text.mid(i + 1, end - i - 1).toInt();
                if (count < 1 || count > kMaxBlankSpaces)
                    return QStringLiteral("a blank of %1 spaces (1 to %2 allowed)").arg(count).arg(kMaxBlankSpaces);
                flush();
                RunFormat blank = format;
                blank.underline = true;
                appendRun(runs, blankText(count), blank);
                i = end + 1;
                continue;
            }
        }
        if (c == u'_' && next == u'_') {
            flush();
            format.underline = !format.underline;
            i += 2;
            continue;
        }
        pending += c;
        ++i;
    }
    flush();
    if (format.bold != base.bold)
        return QStringLiteral("\"**\" is not closed");
    if (format.underline != base.underline)
        return QStringLiteral("\"__\" is not closed");
    return std::nullopt;
}

// A paragraph from text that may begin with an alignment marker "^ " or "> ".
std::optional<QString> parseMarkedParagraph(const QString &text, const RunFormat &base, Paragraph &paragraph)
{
    QString body = text;
    if (body == u"^" || body.startsWith(u"^ ")) {
        paragraph.alignment = Alignment::Center;
        body = body.mid(2);
    } else if (body == u">" || body.startsWith(u"> ")) {
        paragraph.alignment = Alignment::Right;
        body = body.mid(2);
    }
    return parseInline(body, base, paragraph.runs);
}

class Parser
{
public:
    explicit Parser(const QStringList &lines) : m_lines(lines) {}

    std::optional<LineError> run(doc::Document &document)
    {
        m_document = &document;
        m_textWidth = document.page.pageWidthTwips - document.page.marginLeftTwips
                      - document.page.marginRightTwips;
        for (int index = 0; index < m_lines.size(); ++index) {
            m_lineNumber = index + 1;
            if (auto cause = parseLine(trimRightBlanks(m_lines[index])))
                return LineError{m_lineNumber, *cause};
        }
        if (m_table) {
            return LineError{m_tableLine, QStringLiteral("the table is not closed by \"[/table]\"")};
        }
        if (m_pageBreakLine) {
            return LineError{m_pageBreakLine, QStringLiteral("a page break with no paragraph after it")};
        }
        return std::nullopt;
    }

private:
    std::optional<QString> parseLine(const QString &line)
    {
        // Comments go everywhere, also between table rows.
        if (line.startsWith(u'#'))
            return std::nullopt;
        if (m_table)
            return parseTableLine(line);

        if (line.startsWith(u"[table"))
            return startTable(line);
        if (line == u"---page---") {
            m_pageBreakLine = m_lineNumber;
            return std::nullopt;
        }
        if (line.startsWith(u"@size")) {
            static const QRegularExpression pattern(QStringLiteral("^@size\\s+(\\d+(?:\\.5)?)$"));
            const auto match = pattern.match(line);
            const double size = match.hasMatch() ? match.captured(1).toDouble() : 0;
            if (size < 5 || size > 72)
                return QStringLiteral("\"@size\" needs a size in points from 5 to 72");
            m_sizePt = size;
            return std::nullopt;
        }
        if (line.startsWith(u"@footer")) {
            if (line.size() > 7 && line[7] != u' ')
                return QStringLiteral("unknown directive \"%1\"").arg(line.section(u' ', 0, 0));
            Paragraph paragraph;
            if (auto cause = parseMarkedParagraph(line.mid(8), baseFormat(), paragraph))
                return cause;
            m_document->footer.push_back(std::move(paragraph));
            return std::nullopt;
        }
        if (line.startsWith(u'@'))
            return QStringLiteral("unknown directive \"%1\"").arg(line.section(u' ', 0, 0));
        if (line.startsWith(u"[/table]"))
            return QStringLiteral("\"[/table]\" without a table");
        if (line.startsWith(u'|'))
            return QStringLiteral("a table row outside a table");

        Paragraph paragraph;
        if (line == u"=" || line.startsWith(u"= ")) {
            RunFormat title = baseFormat();
            title.bold = true;
            title.sizePt = kTitleSizePt;
            paragraph.alignment = Alignment::Center;
            if (auto cause = parseInline(line.mid(2), title, paragraph.runs))
                return cause;
        } else if (auto cause = parseMarkedParagraph(line, baseFormat(), paragraph)) {
            return cause;
        }
        paragraph.pageBreakBefore = m_pageBreakLine != 0;
        m_pageBreakLine = 0;
        m_document->body.push_back(std::move(paragraph));
        return std::nullopt;
    }

    std::optional<QString> startTable(const QString &line)
    {
        static const QRegularExpression pattern(
            QStringLiteral("^\\[table\\s+([0-9][0-9 ,]*?)\\s*(\\snoborder)?\\]$"));
        const auto match = pattern.match(line);
        if (!match.hasMatch())
            return QStringLiteral("a table starts with \"[table\" and its column widths in percent, like \"[table 30,70]\"");
        if (m_pageBreakLine)
            return QStringLiteral("a page break must be followed by a paragraph, not a table");
        std::vector<int> percents;
        int sum = 0;
        for (const QString &part : match.captured(1).split(u',')) {
            bool ok = false;
            const int percent = part.trimmed().toInt(&ok);
            if (!ok || percent <= 0)
                return QStringLiteral("column width \"%1\" is not a positive whole percent").arg(part.trimmed());
            percents.push_back(percent);
            sum += percent;
        }
        if (sum != 100)
            return QStringLiteral("column widths sum to %1, not 100").arg(sum);
        if (percents.size() > kMaxColumns)
            return QStringLiteral("%1 columns, more than a table row holds (%2)").arg(percents.size()).arg(kMaxColumns);

        // Column edges are rounded, not the widths, so the columns add up to the text width exactly.
        m_columnWidths.clear();
        int cumulative = 0;
        int previousEdge = 0;
        for (int percent : percents) {
            cumulative += percent;
            const int edge = int(std::lround(double(m_textWidth) * cumulative / 100.0));
            m_columnWidths.push_back(edge - previousEdge);
            previousEdge = edge;
        }
        m_table = doc::Table{};
        m_table->borders = match.captured(2).isEmpty();
        m_tableLine = m_lineNumber;
        return std::nullopt;
    }

    std::optional<QString> parseTableLine(const QString &line)
    {
        if (line == u"[/table]") {
            if (m_table->rows.empty())
                return QStringLiteral("a table without rows");
            m_document->body.push_back(std::move(*m_table));
            m_table.reset();
            return std::nullopt;
        }
        if (!line.startsWith(u'|'))
            return QStringLiteral("inside a table only rows (\"| … |\") and \"[/table]\" may stand");

        const qsizetype last = line.lastIndexOf(u'|');
        if (last == 0)
            return QStringLiteral("a table row ends with \"|\"");
        doc::TableRow row;
        const QString after = trimBlanks(line.mid(last + 1));
        if (!after.isEmpty()) {
            static const QRegularExpression height(QStringLiteral("^@(\\d+(?:\\.\\d+)?)$"));
            const auto match = height.match(after);
            const double mm = match.hasMatch() ? match.captured(1).toDouble() : 0;
            if (mm <= 0 || mm > 297)
                return QStringLiteral("after the last \"|\" only a row height like \"@20\" (millimetres) may stand");
            row.minHeightTwips = int(std::lround(mm * 1440.0 / 25.4));
        }

        const QStringList cells = line.mid(1, last - 1).split(u'|');
        if (cells.size() != qsizetype(m_columnWidths.size()))
            return QStringLiteral("the row has %1 cells, the table %2 columns").arg(cells.size()).arg(m_columnWidths.size());
        for (qsizetype i = 0; i < cells.size(); ++i) {
            doc::TableCell cell;
            cell.widthTwips = m_columnWidths[size_t(i)];
            const QString content = trimBlanks(cells[i]);
            if (content == u"<") {
                if (i == 0)
                    return QStringLiteral("the first cell of a row cannot merge with a cell on its left");
                cell.mergedWithPrevious = true;
            } else {
                for (const QString &part : content.split(kCellBreak)) {
                    Paragraph paragraph;
                    if (auto cause = parseMarkedParagraph(trimBlanks(part), baseFormat(), paragraph))
                        return QStringLiteral("cell %1: %2").arg(i + 1).arg(*cause);
                    cell.paragraphs.push_back(std::move(paragraph));
                }
            }
            row.cells.push_back(std::move(cell));
        }
        m_table->rows.push_back(std::move(row));
        return std::nullopt;
    }

    RunFormat baseFormat() const
    {
        RunFormat format;
        format.sizePt = m_sizePt;
        return format;
    }

    const QStringList &m_lines;
    doc::Document *m_document = nullptr;
    int m_textWidth = 0;
    int m_lineNumber = 0;
    double m_sizePt = kDefaultSizePt;
    int m_pageBreakLine = 0; // the line of a page break still waiting for its paragraph
    std::optional<doc::Table> m_table;
    int m_tableLine = 0;
    std::vector<int> m_columnWidths;
};

} // namespace

Result<doc::Document> parseFormDescription(const QString &text, const QString &sourceName)
{
    QString normalized = text;
    if (normalized.startsWith(QChar(0xFEFF)))
        normalized.remove(0, 1);
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = normalized.split(u'\n');
    // The newline ending the last line opens no further line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    doc::Document document;
    // A form is laid out by its own row heights and blank lines. Snapping lines
    // to a grid would double the spacing wherever the installed Chinese font is
    // taller than 宋体, and push a one-page form onto two pages.
    document.page.lineGrid = false;
    Parser parser(lines);
    if (const auto error = parser.run(document)) {
        const QString where = sourceName.isEmpty() ? QStringLiteral("line %1").arg(error->line)
                                                   : QStringLiteral("%1 line %2").arg(sourceName).arg(error->line);
        return Status::failure(QStringLiteral("%1: %2").arg(where, error->cause));
    }
    return document;
}

QString formTitle(const doc::Document &form)
{
    if (form.body.empty())
        return {};
    const auto *first = std::get_if<Paragraph>(&form.body.front());
    return first ? doc::paragraphText(*first) : QString();
}

doc::Document collectForms(const doc::Document &cover, const std::vector<doc::Document> &forms)
{
    doc::Document volume = cover;
    for (size_t i = 0; i < forms.size(); ++i) {
        Paragraph line;
        line.runs.push_back(Run{QStringLiteral("　　%1．%2").arg(i + 1).arg(formTitle(forms[i])), RunFormat{}});
        volume.body.push_back(std::move(line));
    }
    for (const doc::Document &form : forms) {
        if (form.body.empty())
            continue;
        auto *first = std::get_if<Paragraph>(&form.body.front());
        size_t from = 0;
        if (first) {
            Paragraph opening = *first;
            opening.pageBreakBefore = true;
            volume.body.push_back(std::move(opening));
            from = 1;
        } else {
            Paragraph breakLine;
            breakLine.pageBreakBefore = true;
            volume.body.push_back(std::move(breakLine));
        }
        volume.body.insert(volume.body.end(), form.body.begin() + std::ptrdiff_t(from), form.body.end());
    }
    return volume;
}

} // namespace tamsel
