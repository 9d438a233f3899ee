#include "page_renderer.h"

#include "atomic_file.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <functional>
#include <map>

namespace tamsel::doc {

namespace {

constexpr double kLineFactor = 1.3;   // single line height of 宋体 per point of size
constexpr double kTabPt = 21;         // default tab stop, 420 twips
constexpr double kCellPaddingPt = 5.4; // half the gap between cell texts (108 twips)
constexpr int kLayoutDpi = 1200;      // text is measured at this resolution whatever the output

double pt(int twips) { return twips / 20.0; }

QFont fontFor(const RunFormat &format)
{
    QFont font;
    QStringList families;
    if (!format.font.isEmpty())
        families << format.font;
    families << QStringLiteral("SimSun") << QStringLiteral("宋体") << QStringLiteral("Noto Serif CJK SC")
             << QStringLiteral("Noto Sans CJK SC");
    font.setFamilies(families);
    font.setPointSizeF(std::max(1.0, format.sizePt));
    font.setBold(format.bold);
    font.setKerning(false);
    return font;
}

// Measures in points, at one resolution for every output.
class Measure
{
public:
    Measure() : m_device(1, 1, QImage::Format_Mono)
    {
        m_device.setDotsPerMeterX(int(kLayoutDpi / 0.0254));
        m_device.setDotsPerMeterY(int(kLayoutDpi / 0.0254));
    }
    double width(const QString &text, const RunFormat &format)
    {
        return metrics(format).horizontalAdvance(text) * 72.0 / kLayoutDpi;
    }
    double ascent(const RunFormat &format) { return metrics(format).ascent() * 72.0 / kLayoutDpi; }

private:
    QFontMetricsF &metrics(const RunFormat &format)
    {
        const QString key = QStringLiteral("%1|%2|%3").arg(format.font).arg(format.sizePt).arg(format.bold);
        auto it = m_cache.find(key);
        if (it == m_cache.end())
            it = m_cache.emplace(key, QFontMetricsF(fontFor(format), &m_device)).first;
        return it->second;
    }
    QImage m_device;
    std::map<QString, QFontMetricsF> m_cache;
};

// What a page shows, in points from the page's top left corner.
struct TextItem
{
    double x, baseline;
    QString text;
    RunFormat format;
    double underlineEnd; // x where the underline stops (trailing blanks end at the margin)
};
struct LineItem
{
    double x1, y1, x2, y2;
};
struct Page
{
    std::vector<TextItem> texts;
    std::vector<LineItem> lines;
};

struct Glyph
{
    QChar c;
    const RunFormat *format;
    double width;
};

bool isWide(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x2E80 || (u >= 0x3000 && u <= 0x303F);
}

class Layout
{
public:
    explicit Layout(const Document &document) : m_doc(document)
    {
        const PageSetup &p = document.page;
        m_pageWidth = pt(p.pageWidthTwips);
        m_pageHeight = pt(p.pageHeightTwips);
        m_left = pt(p.marginLeftTwips);
        m_top = pt(p.marginTopTwips);
        m_textWidth = std::max(10.0, m_pageWidth - m_left - pt(p.marginRightTwips));
        m_textHeight = std::max(10.0, m_pageHeight - m_top - pt(p.marginBottomTwips));
        m_pitch = p.lineGrid && p.linePitchTwips > 0 ? pt(p.linePitchTwips) : 0;
    }

    std::vector<Page> run()
    {
        newPage();
        bool first = true;
        for (const Block &block : m_doc.body) {
            if (const auto *paragraph = std::get_if<Paragraph>(&block)) {
                if (paragraph->pageBreakBefore && !first && m_y > 0)
                    newPage();
                placeLines(layoutParagraph(*paragraph, m_textWidth), m_left);
                spaceAfter(*paragraph);
            } else {
                placeTable(std::get<Table>(block));
            }
            first = false;
        }
        placeFooters();
        return m_pages;
    }

    double pageWidth() const { return m_pageWidth; }
    double pageHeight() const { return m_pageHeight; }

private:
    struct Line
    {
        std::vector<Glyph> glyphs;
        double height = 0, ascent = 0;
        double offset = 0; // from alignment
        double width = 0;  // without trailing blanks
    };

    double lineHeight(double sizePt) const
    {
        const double natural = sizePt * kLineFactor;
        if (m_pitch <= 0)
            return natural;
        return std::max(1.0, std::ceil(natural / m_pitch - 1e-6)) * m_pitch;
    }

    std::vector<Line> layoutParagraph(const Paragraph &paragraph, double width)
    {
        std::vector<Glyph> glyphs;
        for (const Run &run : paragraph.runs)
            for (QChar c : run.text)
                glyphs.push_back({c, &run.format, c == QLatin1Char('\t') || c.unicode() == 0x0B
                                                      ? 0.0
                                                      : m_measure.width(QString(c), run.format)});
        std::vector<Line> lines(1);
        double x = 0;
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            Glyph g = glyphs[i];
            if (g.c.unicode() == 0x0B || g.c == QLatin1Char('\n')) {
                lines.emplace_back();
                x = 0;
                continue;
            }
            if (g.c == QLatin1Char('\t')) {
                g.width = (std::floor(x / kTabPt) + 1) * kTabPt - x;
            } else if (g.c != QLatin1Char(' ') && x + g.width > width + 0.01 && !lines.back().glyphs.empty()) {
                // Latin words move whole to the next line when they fit there.
                std::vector<Glyph> carried;
                if (!isWide(g.c)) {
                    auto &current = lines.back().glyphs;
                    std::size_t start = current.size();
                    while (start > 0 && current[start - 1].c != QLatin1Char(' ') && !isWide(current[start - 1].c))
                        --start;
                    if (start > 0) {
                        carried.assign(current.begin() + std::ptrdiff_t(start), current.end());
                        current.erase(current.begin() + std::ptrdiff_t(start), current.end());
                    }
                }
                lines.emplace_back();
                x = 0;
                for (const Glyph &c : carried) {
                    lines.back().glyphs.push_back(c);
                    x += c.width;
                }
            }
            // Blanks never start a line of their own: they hang past the margin.
            lines.back().glyphs.push_back(g);
            x += g.width;
        }
        for (Line &line : lines) {
            double size = 0, ascent = 0;
            for (const Glyph &g : line.glyphs) {
                size = std::max(size, g.format->sizePt);
                ascent = std::max(ascent, m_measure.ascent(*g.format));
            }
            if (line.glyphs.empty()) {
                const RunFormat &mark = paragraph.runs.empty() ? paragraph.markFormat : paragraph.runs.back().format;
                size = mark.sizePt;
                ascent = m_measure.ascent(mark);
            }
            line.height = lineHeight(size);
            line.ascent = ascent + (line.height - size * kLineFactor) / 2;
            double w = 0, trimmed = 0;
            for (const Glyph &g : line.glyphs) {
                w += g.width;
                if (g.c != QLatin1Char(' '))
                    trimmed = w;
            }
            line.width = trimmed;
            if (paragraph.alignment == Alignment::Center)
                line.offset = std::max(0.0, (width - trimmed) / 2);
            else if (paragraph.alignment == Alignment::Right)
                line.offset = std::max(0.0, width - trimmed);
        }
        return lines;
    }

    void newPage()
    {
        m_pages.emplace_back();
        m_y = 0;
    }

    // Text items of one line at `top` (points from the page top).
    void emitLine(Page &page, const Line &line, double left, double top, double rightEdge)
    {
        double x = left + line.offset;
        std::size_t i = 0;
        while (i < line.glyphs.size()) {
            const RunFormat *format = line.glyphs[i].format;
            TextItem item{x, top + line.ascent, QString(), *format, 0};
            while (i < line.glyphs.size() && line.glyphs[i].format == format && line.glyphs[i].c != QLatin1Char('\t')) {
                item.text += line.glyphs[i].c;
                x += line.glyphs[i].width;
                ++i;
            }
            if (i < line.glyphs.size() && line.glyphs[i].c == QLatin1Char('\t') && line.glyphs[i].format == format) {
                item.text += QLatin1Char(' ');
                x += line.glyphs[i].width;
                ++i;
            }
            item.underlineEnd = std::min(x, rightEdge);
            page.texts.push_back(item);
        }
    }

    // The space below a paragraph; on the grid the next line starts on a
    // grid line again.
    void spaceAfter(const Paragraph &paragraph)
    {
        if (paragraph.spaceAfterTwips <= 0)
            return;
        m_y += pt(paragraph.spaceAfterTwips);
        if (m_pitch > 0)
            m_y = std::ceil(m_y / m_pitch - 1e-6) * m_pitch;
    }

    void placeLines(const std::vector<Line> &lines, double left)
    {
        for (const Line &line : lines) {
            if (m_y + line.height > m_textHeight + 0.01 && m_y > 0)
                newPage();
            emitLine(m_pages.back(), line, left, m_top + m_y, left + m_textWidth);
            m_y += line.height;
        }
    }

    void placeTable(const Table &table)
    {
        for (const TableRow &row : table.rows) {
            // The same widths the writer gives the cells.
            int given = 0, open = 0;
            for (const TableCell &cell : row.cells) {
                given += std::max(0, cell.widthTwips);
                open += cell.widthTwips <= 0;
            }
            const int share = open ? std::max(100, (m_doc.page.pageWidthTwips - m_doc.page.marginLeftTwips -
                                                    m_doc.page.marginRightTwips - given) / open)
                                   : 0;
            struct Cell
            {
                double width;
                std::vector<Line> lines;
                double height;
            };
            std::vector<Cell> cells;
            for (const TableCell &cell : row.cells) {
                const double width = pt(cell.widthTwips > 0 ? cell.widthTwips : share);
                if (cell.mergedWithPrevious && !cells.empty())
                    cells.back().width += width;
                else
                    cells.push_back({width, {}, 0});
            }
            // Lay out each cell's paragraphs in its final width.
            std::size_t index = 0;
            double rowHeight = pt(row.minHeightTwips);
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                if (row.cells[c].mergedWithPrevious && index > 0) {
                    for (const Paragraph &p : row.cells[c].paragraphs)
                        if (!p.runs.empty())
                            for (const Line &l : layoutParagraph(p, cells[index - 1].width - 2 * kCellPaddingPt))
                                cells[index - 1].lines.push_back(l);
                    continue;
                }
                Cell &cell = cells[index++];
                static const Paragraph empty;
                if (row.cells[c].paragraphs.empty())
                    cell.lines = layoutParagraph(empty, cell.width - 2 * kCellPaddingPt);
                for (const Paragraph &p : row.cells[c].paragraphs)
                    for (const Line &l : layoutParagraph(p, cell.width - 2 * kCellPaddingPt))
                        cell.lines.push_back(l);
            }
            for (Cell &cell : cells) {
                cell.height = 0;
                for (const Line &l : cell.lines)
                    cell.height += l.height;
                rowHeight = std::max(rowHeight, cell.height);
            }
            if (m_y + rowHeight > m_textHeight + 0.01 && m_y > 0)
                newPage();
            Page &page = m_pages.back();
            const double top = m_top + m_y;
            double x = m_left - kCellPaddingPt;
            for (const Cell &cell : cells) {
                double y = top;
                for (const Line &line : cell.lines) {
                    emitLine(page, line, x + kCellPaddingPt, y, x + cell.width - kCellPaddingPt);
                    y += line.height;
                }
                if (table.borders) {
                    page.lines.push_back({x, top, x + cell.width, top});
                    page.lines.push_back({x, top + rowHeight, x + cell.width, top + rowHeight});
                    page.lines.push_back({x, top, x, top + rowHeight});
                    page.lines.push_back({x + cell.width, top, x + cell.width, top + rowHeight});
                }
                x += cell.width;
            }
            m_y += rowHeight;
        }
    }

    // The footer sits on every page, its last line ending at the footer
    // distance above the bottom edge.
    void placeFooters()
    {
        if (m_doc.footer.empty())
            return;
        std::vector<Line> lines;
        double height = 0;
        const double savedPitch = m_pitch;
        m_pitch = 0; // footers are not on the body's grid
        for (const Paragraph &p : m_doc.footer)
            for (const Line &l : layoutParagraph(p, m_textWidth)) {
                lines.push_back(l);
                height += l.height;
            }
        m_pitch = savedPitch;
        for (Page &page : m_pages) {
            double y = m_pageHeight - pt(m_doc.page.footerTwips) - height;
            for (const Line &line : lines) {
                emitLine(page, line, m_left, y, m_left + m_textWidth);
                y += line.height;
            }
        }
    }

    const Document &m_doc;
    Measure m_measure;
    std::vector<Page> m_pages;
    double m_pageWidth, m_pageHeight, m_left, m_top, m_textWidth, m_textHeight, m_pitch;
    double m_y = 0;
};

// Paints `pages` on a device whose page is the document's page, at `dpi`.
bool paint(QPainter &painter, const std::vector<Page> &pages, double dpi,
           const std::function<bool()> &nextPage)
{
    const double k = dpi / 72.0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !nextPage())
            return false;
        for (const TextItem &item : pages[i].texts) {
            QFont font = fontFor(item.format);
            painter.setFont(font); // point sizes resolve against the device's resolution
            painter.setPen(Qt::black);
            painter.drawText(QPointF(item.x * k, item.baseline * k), item.text);
            if (item.format.underline && item.underlineEnd > item.x) {
                const double thickness = std::max(0.5, item.format.sizePt / 20) * k;
                const double y = (item.baseline + item.format.sizePt * 0.12) * k;
                painter.fillRect(QRectF(item.x * k, y, (item.underlineEnd - item.x) * k, thickness), Qt::black);
            }
        }
        QPen pen(Qt::black);
        pen.setWidthF(0.5 * k);
        painter.setPen(pen);
        for (const LineItem &line : pages[i].lines)
            painter.drawLine(QPointF(line.x1 * k, line.y1 * k), QPointF(line.x2 * k, line.y2 * k));
    }
    return true;
}

QPageLayout pageLayoutOf(const Document &document)
{
    const PageSetup &p = document.page;
    const bool landscape = p.pageWidthTwips > p.pageHeightTwips;
    QSizeF portrait(pt(std::min(p.pageWidthTwips, p.pageHeightTwips)), pt(std::max(p.pageWidthTwips, p.pageHeightTwips)));
    QPageSize size(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

} // namespace

int pageCount(const Document &document)
{
    return int(Layout(document).run().size());
}

Status renderPdf(const Document &document, const QString &pdfPath)
{
    const std::vector<Page> pages = Layout(document).run();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kLayoutDpi);
        writer.setPageLayout(pageLayoutOf(document));
        writer.setCreator(QStringLiteral("Tamsel"));
        QPainter painter;
        if (!painter.begin(&writer))
            return Status::failure(QStringLiteral("无法生成 PDF 文件 %1").arg(pdfPath));
        paint(painter, pages, writer.resolution(), [&writer] { return writer.newPage(); });
        painter.end();
    }
    return writeFileAtomically(pdfPath, buffer.data());
}

Status printOnDefaultPrinter(const Document &document)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() || info.printerName().isEmpty())
        return Status::failure(QStringLiteral("无法打印：系统没有配置打印机"));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(document));
    printer.setFullPage(true); // the layout places the margins itself
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(QStringLiteral("Tamsel"));
    if (!printer.isValid())
        return Status::failure(QStringLiteral("无法打印：打印机 %1 不可用").arg(info.printerName()));
    const std::vector<Page> pages = Layout(document).run();
    QPainter painter;
    if (!painter.begin(&printer))
        return Status::failure(QStringLiteral("无法打印：打印机 %1 拒绝了打印任务").arg(info.printerName()));
    const bool complete = paint(painter, pages, printer.resolution(), [&printer] { return printer.newPage(); });
    if (!painter.end() || !complete)
        return Status::failure(QStringLiteral("无法打印：打印任务在 %1 上中断").arg(info.printerName()));
    return Status::success();
}

Document textDocument(const QString &text)
{
    Document document;
    document.page.marginTopTwips = 1440;
    document.page.marginBottomTwips = 1440;
    document.page.marginLeftTwips = 1800;
    document.page.marginRightTwips = 1800;
    RunFormat format;
    format.sizePt = 10.5;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &line : normalised.split(QLatin1Char('\n'))) {
        Paragraph p;
        p.markFormat = format;
        if (!line.isEmpty())
            p.runs.push_back({line, format});
        document.body.push_back(p);
    }
    return document;
}

} // namespace tamsel::doc
