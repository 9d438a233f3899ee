#include "doc_writer.h"

#include "atomic_file.h"
#include "byte_writer.h"
#include "compound_file.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace tamsel::doc {

using namespace bytes;

namespace {

constexpr std::uint32_t kTextStart = 0x400; // text follows the FIB here
constexpr int kPage = 512;
constexpr int kMinStream = 4096;            // no stream may need the mini stream
constexpr int kGapHalf = 108;               // half the space between cell texts, twips

// Single property modifiers (sprms) used here.
enum Sprm : unsigned {
    sprmCFBold = 0x0835,
    sprmCKul = 0x2A3E,
    sprmCHps = 0x4A43,
    sprmCRgFtc0 = 0x4A4F, // ASCII text
    sprmCRgFtc1 = 0x4A50, // East Asian text
    sprmCRgFtc2 = 0x4A51, // other text
    sprmCRgLid0_80 = 0x486D,
    sprmCRgLid1_80 = 0x486E,
    sprmCRgLid0 = 0x4873,
    sprmCRgLid1 = 0x4874,
    sprmPJc80 = 0x2403,
    sprmPFPageBreakBefore = 0x2407,
    sprmPFInTable = 0x2416,
    sprmPFTtp = 0x2417,
    sprmPDyaLine = 0x6412,
    sprmPDyaAfter = 0xA414,
    sprmPFUsePgsuSettings = 0x2447,
    sprmPJc = 0x2461,
    sprmTDyaRowHeight = 0x9407,
    sprmTDxaGapHalf = 0x9602,
    sprmTTableBorders80 = 0xD605,
    sprmTDefTable = 0xD608,
    sprmSBkc = 0x3009,
    sprmSDyaHdrTop = 0xB017,
    sprmSDyaHdrBottom = 0xB018,
    sprmSBOrientation = 0x301D,
    sprmSXaPage = 0xB01F,
    sprmSYaPage = 0xB020,
    sprmSDxaLeft = 0xB021,
    sprmSDxaRight = 0xB022,
    sprmSDyaTop = 0x9023,
    sprmSDyaBottom = 0x9024,
    sprmSDyaLinePitch = 0x9031,
    sprmSClm = 0x5032,
};

void sprm8(QByteArray &out, unsigned op, unsigned value)
{
    u16(out, op);
    u8(out, value);
}
void sprm16(QByteArray &out, unsigned op, unsigned value)
{
    u16(out, op);
    u16(out, value);
}

// The fonts of the document: the first three as Word lists them, then the
// default East Asian font, then whatever runs name.
class FontTable
{
public:
    static constexpr int kTimes = 0, kSimSun = 3;

    FontTable()
    {
        add(QStringLiteral("Times New Roman"), {}, 0x16, 0, "02020603050405020304",
            {0x20002A87, 0x80000000, 0x8, 0, 0x1FF, 0});
        add(QStringLiteral("Symbol"), {}, 0x16, 2, "05050102010706020507", {0, 0x10000000, 0, 0, 0x80000000, 0});
        add(QStringLiteral("Arial"), {}, 0x26, 0, "020B0604020202020204", {0x20002A87, 0x80000000, 0x8, 0, 0x1FF, 0});
        add(QStringLiteral("宋体"), QStringLiteral("SimSun"), 0x06, 0x86, "02010600030101010101",
            {0x3, 0x288F0000, 0x16, 0, 0x40001, 0});
    }

    // Index of `name` in the table, added on first use; the default for an
    // empty name or the default font's own names.
    int indexOf(const QString &name)
    {
        if (name.isEmpty() || name == QLatin1String("SimSun"))
            return kSimSun;
        for (int i = 0; i < int(m_names.size()); ++i)
            if (m_names[i] == name)
                return i;
        bool wide = std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() > 0xFF; });
        add(name, {}, 0x06, wide ? 0x86 : 0, "00000000000000000000", {0, 0, 0, 0, 0, 0});
        return int(m_names.size()) - 1;
    }

    QByteArray sttbf() const
    {
        QByteArray out;
        u16(out, unsigned(m_ffns.size()));
        u16(out, 0); // no extra data
        for (const QByteArray &ffn : m_ffns) {
            u8(out, unsigned(ffn.size()));
            out += ffn;
        }
        return out;
    }

private:
    void add(const QString &name, const QString &alternate, unsigned ffid, unsigned charset, const char *panose,
             std::array<std::uint32_t, 6> signature)
    {
        QByteArray ffn;
        u8(ffn, ffid); // pitch, TrueType, family
        u16(ffn, 400); // normal weight
        u8(ffn, charset);
        u8(ffn, alternate.isEmpty() ? 0 : unsigned(name.size() + 1));
        ffn += QByteArray::fromHex(panose);
        for (std::uint32_t value : signature)
            u32(ffn, value);
        for (QChar c : name)
            u16(ffn, c.unicode());
        u16(ffn, 0);
        if (!alternate.isEmpty()) {
            for (QChar c : alternate)
                u16(ffn, c.unicode());
            u16(ffn, 0);
        }
        m_names.push_back(name);
        m_ffns.push_back(ffn);
    }

    std::vector<QString> m_names;
    std::vector<QByteArray> m_ffns;
};

// The text of every story with the character and paragraph properties that
// tile it, in character positions.
struct Story
{
    QString text;
    struct Span
    {
        int end; // character position just past the span
        QByteArray grpprl;
    };
    std::vector<Span> chars;
    std::vector<Span> paras; // grpprl here starts with the style index

    void addChars(const QString &piece, const QByteArray &chpx)
    {
        if (piece.isEmpty())
            return;
        text += piece;
        if (!chars.empty() && chars.back().grpprl == chpx)
            chars.back().end = int(text.size());
        else
            chars.push_back({int(text.size()), chpx});
    }
    // The mark gets a character run of its own even when it looks like the
    // text before it: LibreOffice drops the look of a paragraph in front of
    // a table when one run covers its text and its mark.
    void endParagraph(QChar mark, const QByteArray &markChpx, const QByteArray &papx)
    {
        text += mark;
        chars.push_back({int(text.size()), markChpx});
        paras.push_back({int(text.size()), papx});
    }
};

class Writer
{
public:
    explicit Writer(const Document &document) : m_doc(document) {}
    QByteArray write();

private:
    QByteArray chpx(const RunFormat &format);
    QByteArray papx(const Paragraph &paragraph, bool inTable) const;
    void paragraph(const Paragraph &paragraph, bool inTable, QChar mark = QChar(0x0D));
    bool table(const Table &table);
    int textWidth() const
    {
        return std::max(1, m_doc.page.pageWidthTwips - m_doc.page.marginLeftTwips - m_doc.page.marginRightTwips);
    }

    const Document &m_doc;
    FontTable m_fonts;
    Story m_story;
};

// Run text without the characters that mean structure in a .doc: a line
// feed becomes a line break, other control characters but the tab go.
QString runText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n')
            out.append(QChar(0x0B));
        else if (u >= 0x20 || u == '\t')
            out.append(c);
    }
    return out;
}

QByteArray Writer::chpx(const RunFormat &format)
{
    QByteArray out;
    if (format.bold)
        sprm8(out, sprmCFBold, 1);
    if (format.underline)
        sprm8(out, sprmCKul, 1);
    const int halfPoints = std::clamp(int(std::lround(format.sizePt * 2)), 2, 3276);
    sprm16(out, sprmCHps, unsigned(halfPoints));
    const int font = m_fonts.indexOf(format.font);
    if (font != FontTable::kSimSun) {
        sprm16(out, sprmCRgFtc0, unsigned(font));
        sprm16(out, sprmCRgFtc1, unsigned(font));
        sprm16(out, sprmCRgFtc2, unsigned(font));
    }
    return out;
}

QByteArray Writer::papx(const Paragraph &paragraph, bool inTable) const
{
    QByteArray out;
    u16(out, 0); // the Normal style
    if (paragraph.alignment != Alignment::Left) {
        const unsigned jc = paragraph.alignment == Alignment::Center ? 1 : 2;
        sprm8(out, sprmPJc80, jc);
        sprm8(out, sprmPJc, jc);
    }
    if (paragraph.pageBreakBefore && !inTable)
        sprm8(out, sprmPFPageBreakBefore, 1);
    if (paragraph.spaceAfterTwips > 0)
        sprm16(out, sprmPDyaAfter, unsigned(paragraph.spaceAfterTwips));
    if (inTable)
        sprm8(out, sprmPFInTable, 1);
    return out;
}

void Writer::paragraph(const Paragraph &paragraph, bool inTable, QChar mark)
{
    for (const Run &run : paragraph.runs)
        m_story.addChars(runText(run.text), chpx(run.format));
    // The mark carries the look of the last run, so an empty line keeps the
    // height of the text typed before it.
    const RunFormat markFormat = paragraph.runs.empty() ? paragraph.markFormat : paragraph.runs.back().format;
    m_story.endParagraph(mark, chpx(markFormat), papx(paragraph, inTable));
}

QByteArray brc80(bool line)
{
    QByteArray out;
    if (line) {
        u8(out, 4); // 1/2 pt
        u8(out, 1); // single line
        u8(out, 1); // black
        u8(out, 0);
    } else {
        u32(out, 0);
    }
    return out;
}

bool Writer::table(const Table &table)
{
    for (const TableRow &row : table.rows) {
        if (row.cells.empty())
            return false;
        // Widths: cells without one share what the others leave.
        int given = 0, open = 0;
        for (const TableCell &cell : row.cells) {
            given += std::max(0, cell.widthTwips);
            open += cell.widthTwips <= 0;
        }
        const int share = open ? std::max(100, (textWidth() - given) / open) : 0;
        // A merged cell widens the one on its left: Word itself stores merged
        // cells that way, and every reader agrees on a wide cell.
        struct Cell
        {
            int width;
            std::vector<const Paragraph *> paragraphs;
        };
        std::vector<Cell> cells;
        for (const TableCell &cell : row.cells) {
            const int width = cell.widthTwips > 0 ? cell.widthTwips : share;
            if (cell.mergedWithPrevious && !cells.empty())
                cells.back().width += width;
            else
                cells.push_back({width, {}});
            for (const Paragraph &p : cell.paragraphs)
                if (!cell.mergedWithPrevious || !p.runs.empty() || cells.back().paragraphs.empty())
                    cells.back().paragraphs.push_back(&p);
        }
        if (int(cells.size()) > kMaxCellsPerRow)
            return false;

        static const Paragraph emptyParagraph;
        for (const Cell &cell : cells) {
            if (cell.paragraphs.empty()) {
                paragraph(emptyParagraph, true, QChar(0x07));
                continue;
            }
            for (std::size_t i = 0; i < cell.paragraphs.size(); ++i)
                paragraph(*cell.paragraphs[i], true, QChar(i + 1 == cell.paragraphs.size() ? 0x07 : 0x0D));
        }

        // The row mark defines the row: its cells' edges, widths and borders.
        QByteArray row80;
        u16(row80, 0);
        sprm8(row80, sprmPFInTable, 1);
        sprm8(row80, sprmPFTtp, 1);
        sprm16(row80, sprmTDxaGapHalf, kGapHalf);
        if (row.minHeightTwips > 0)
            sprm16(row80, sprmTDyaRowHeight, unsigned(std::min(row.minHeightTwips, 0x7FFF)));
        if (table.borders) {
            u16(row80, sprmTTableBorders80);
            u8(row80, 24);
            for (int i = 0; i < 6; ++i)
                row80 += brc80(true);
        }
        const int n = int(cells.size());
        u16(row80, sprmTDefTable);
        u16(row80, unsigned(1 + 2 * (n + 1) + 20 * n + 1));
        u8(row80, unsigned(n));
        int edge = -kGapHalf;
        u16(row80, unsigned(edge & 0xFFFF));
        for (const Cell &cell : cells) {
            edge += cell.width;
            u16(row80, unsigned(edge & 0xFFFF));
        }
        for (const Cell &cell : cells) {
            u16(row80, 0);                                  // no merge, horizontal text
            u16(row80, unsigned(std::min(cell.width, 0x7FFF))); // preferred width
            for (int side = 0; side < 4; ++side)
                row80 += brc80(table.borders);
        }
        m_story.endParagraph(QChar(0x07), chpx(RunFormat()), row80);
    }
    return true;
}

// Packs character runs into 512-byte CHPX pages; returns the pages and the
// first text offset of each.
void packChpx(const std::vector<Story::Span> &spans, QByteArray &stream, std::vector<std::uint32_t> &pageFc,
              std::vector<std::uint32_t> &pageNumbers)
{
    std::size_t next = 0;
    std::uint32_t fc = kTextStart;
    while (next < spans.size()) {
        QByteArray page(kPage, '\0');
        QHash<QByteArray, int> stored;
        int top = kPage - 1; // the last byte holds the run count
        std::vector<std::uint32_t> fcs{fc};
        std::vector<int> offsets;
        while (next < spans.size() && offsets.size() < 0x65) {
            const QByteArray &g = spans[next].grpprl;
            int offset = 0, newTop = top;
            if (!g.isEmpty()) {
                auto it = stored.constFind(g);
                if (it != stored.constEnd()) {
                    offset = *it;
                } else {
                    newTop = (top - 1 - int(g.size())) & ~1;
                    offset = newTop;
                }
            }
            const int crun = int(offsets.size()) + 1;
            if (4 * (crun + 1) + crun > newTop)
                break;
            if (newTop != top) {
                page[newTop] = char(g.size());
                std::copy(g.begin(), g.end(), page.begin() + newTop + 1);
                stored.insert(g, newTop);
                top = newTop;
            }
            offsets.push_back(offset);
            fc = kTextStart + 2 * std::uint32_t(spans[next].end);
            fcs.push_back(fc);
            ++next;
        }
        const int crun = int(offsets.size());
        for (int i = 0; i <= crun; ++i)
            put32(page, 4 * i, fcs[i]);
        for (int i = 0; i < crun; ++i)
            page[4 * (crun + 1) + i] = char(offsets[i] / 2);
        page[kPage - 1] = char(crun);
        pageFc.push_back(fcs.front());
        pageNumbers.push_back(std::uint32_t(stream.size() / kPage));
        stream += page;
    }
    pageFc.push_back(fc);
}

// Packs paragraphs into 512-byte PAPX pages, as packChpx does.
void packPapx(const std::vector<Story::Span> &spans, QByteArray &stream, std::vector<std::uint32_t> &pageFc,
              std::vector<std::uint32_t> &pageNumbers)
{
    std::size_t next = 0;
    std::uint32_t fc = kTextStart;
    while (next < spans.size()) {
        QByteArray page(kPage, '\0');
        QHash<QByteArray, int> stored;
        int top = kPage - 1;
        std::vector<std::uint32_t> fcs{fc};
        std::vector<int> offsets;
        while (next < spans.size() && offsets.size() < 0x1D) {
            const QByteArray &g = spans[next].grpprl; // style index and sprms
            int offset, newTop = top;
            auto it = stored.constFind(g);
            // An odd length is stored as cb = (length + 1) / 2, an even one
            // as cb = 0 followed by length / 2.
            const int size = (g.size() % 2 ? 1 : 2) + int(g.size());
            if (it != stored.constEnd()) {
                offset = *it;
            } else {
                newTop = (top - size) & ~1;
                offset = newTop;
            }
            const int cpara = int(offsets.size()) + 1;
            if (4 * (cpara + 1) + 13 * cpara > newTop)
                break;
            if (newTop != top) {
                int at = newTop;
                if (g.size() % 2) {
                    page[at++] = char((g.size() + 1) / 2);
                } else {
                    page[at++] = 0;
                    page[at++] = char(g.size() / 2);
                }
                std::copy(g.begin(), g.end(), page.begin() + at);
                stored.insert(g, newTop);
                top = newTop;
            }
            offsets.push_back(offset);
            fc = kTextStart + 2 * std::uint32_t(spans[next].end);
            fcs.push_back(fc);
            ++next;
        }
        Q_ASSERT(!offsets.empty());
        const int cpara = int(offsets.size());
        for (int i = 0; i <= cpara; ++i)
            put32(page, 4 * i, fcs[i]);
        for (int i = 0; i < cpara; ++i)
            page[4 * (cpara + 1) + 13 * i] = char(offsets[i] / 2); // the 12 bytes of height stay 0
        page[kPage - 1] = char(cpara);
        pageFc.push_back(fcs.front());
        pageNumbers.push_back(std::uint32_t(stream.size() / kPage));
        stream += page;
    }
    pageFc.push_back(fc);
}

QByteArray plcBte(const std::vector<std::uint32_t> &fcs, const std::vector<std::uint32_t> &pages)
{
    QByteArray out;
    for (std::uint32_t fc : fcs)
        u32(out, fc);
    for (std::uint32_t pn : pages)
        u32(out, pn);
    return out;
}

// The style sheet: Normal (the paragraph style every paragraph uses: single
// lines snapped to the document grid, 宋体 for Chinese text) and Default
// Paragraph Font; the other fixed slots stay empty.
QByteArray styleSheet()
{
    auto std_ = [](unsigned sti, unsigned stk, unsigned istdNext, const QString &name, const QByteArray &papx,
                   const QByteArray &chpx) {
        QByteArray body;
        u16(body, sti);
        u16(body, stk | 0x0FFF << 4); // based on no style
        u16(body, (stk == 1 ? 2 : 1) | istdNext << 4);
        u16(body, 0); // bchUpe, set below
        u16(body, 0); // grfstd
        u16(body, unsigned(name.size()));
        for (QChar c : name)
            u16(body, c.unicode());
        u16(body, 0);
        auto upx = [&body](const QByteArray &data) {
            u16(body, unsigned(data.size()));
            body += data;
            padTo(body, 2);
        };
        if (stk == 1) {
            QByteArray withIstd;
            u16(withIstd, 0);
            upx(withIstd + papx);
        }
        upx(chpx);
        put16(body, 6, unsigned(body.size()));
        QByteArray out;
        u16(out, unsigned(body.size()));
        return out + body;
    };

    QByteArray normalPapx;
    u16(normalPapx, sprmPDyaLine);
    u16(normalPapx, 240); // single line spacing ...
    u16(normalPapx, 1);   // ... as a multiple
    sprm8(normalPapx, sprmPFUsePgsuSettings, 1);
    QByteArray normalChpx;
    sprm16(normalChpx, sprmCRgFtc0, FontTable::kTimes);
    sprm16(normalChpx, sprmCRgFtc1, FontTable::kSimSun);
    sprm16(normalChpx, sprmCRgFtc2, FontTable::kTimes);
    sprm16(normalChpx, sprmCHps, 28);
    sprm16(normalChpx, sprmCRgLid0_80, 0x0409);
    sprm16(normalChpx, sprmCRgLid1_80, 0x0804);
    sprm16(normalChpx, sprmCRgLid0, 0x0409);
    sprm16(normalChpx, sprmCRgLid1, 0x0804);

    constexpr unsigned kStyles = 15;
    QByteArray out;
    u16(out, 18);               // size of the header that follows
    u16(out, kStyles);          // style slots
    u16(out, 10);               // size of a style's fixed part
    u16(out, 1);                // style names written
    u16(out, 91);               // highest built-in style identifier + 1
    u16(out, 15);               // fixed slots
    u16(out, 0);                // built-in name version
    u16(out, FontTable::kTimes); // default fonts: ASCII, East Asian, other
    u16(out, FontTable::kSimSun);
    u16(out, FontTable::kTimes);
    for (unsigned istd = 0; istd < kStyles; ++istd) {
        if (istd == 0)
            out += std_(0, 1, 0, QStringLiteral("Normal"), normalPapx, normalChpx);
        else if (istd == 10)
            out += std_(65, 2, 10, QStringLiteral("Default Paragraph Font"), {}, {});
        else
            u16(out, 0);
    }
    return out;
}

QByteArray documentProperties()
{
    QByteArray dop(500, '\0');
    dop[0] = char(1 << 5);  // footnotes at the bottom of the page
    put16(dop, 2, 1 << 2);  // footnotes numbered from 1
    put16(dop, 10, 420);    // default tab stop: two Chinese characters of 10.5 pt
    put16(dop, 52, 1 << 2); // endnotes numbered from 1
    put16(dop, 54, 3);      // endnotes at the end of the document
    return dop;
}

QByteArray sectionProperties(const PageSetup &page)
{
    QByteArray g;
    sprm8(g, sprmSBkc, 2); // the section starts a page
    sprm8(g, sprmSBOrientation, page.landscape ? 1 : 0); // 0 portrait, 1 landscape
    sprm16(g, sprmSXaPage, unsigned(page.pageWidthTwips));
    sprm16(g, sprmSYaPage, unsigned(page.pageHeightTwips));
    sprm16(g, sprmSDxaLeft, unsigned(page.marginLeftTwips));
    sprm16(g, sprmSDxaRight, unsigned(page.marginRightTwips));
    sprm16(g, sprmSDyaTop, unsigned(page.marginTopTwips & 0xFFFF));
    sprm16(g, sprmSDyaBottom, unsigned(page.marginBottomTwips & 0xFFFF));
    sprm16(g, sprmSDyaHdrTop, unsigned(page.headerTwips));
    sprm16(g, sprmSDyaHdrBottom, unsigned(page.footerTwips));
    sprm16(g, sprmSClm, page.lineGrid ? 2 : 0); // 2: a grid of lines only
    if (page.lineGrid)
        sprm16(g, sprmSDyaLinePitch, unsigned(page.linePitchTwips));
    return g;
}

QByteArray Writer::write()
{
    // Main document.
    for (const Block &block : m_doc.body) {
        if (const auto *p = std::get_if<Paragraph>(&block)) {
            paragraph(*p, false);
        } else if (!table(std::get<Table>(block))) {
            return {};
        }
    }
    // The main text ends with a paragraph outside any table.
    if (m_doc.body.empty() || std::holds_alternative<Table>(m_doc.body.back()))
        paragraph(Paragraph(), false);
    const int ccpText = int(m_story.text.size());

    // Header document: only the odd-page footer story is used, which shows
    // on every page while facing pages are off.
    int ccpHdd = 0;
    static const Paragraph emptyParagraph;
    if (!m_doc.footer.empty()) {
        for (const Paragraph &p : m_doc.footer)
            paragraph(p, false);
        paragraph(emptyParagraph, false); // the story's closing mark
        paragraph(emptyParagraph, false); // the header document's last mark
        ccpHdd = int(m_story.text.size()) - ccpText;
        paragraph(emptyParagraph, false); // the mark after all parts
    }
    const int cpAll = int(m_story.text.size());

    // WordDocument: FIB, text, section properties, property pages.
    QByteArray word(kTextStart, '\0');
    for (QChar c : m_story.text)
        u16(word, c.unicode());
    const std::uint32_t textEnd = std::uint32_t(word.size());
    padTo(word, 2);
    const std::uint32_t fcSepx = std::uint32_t(word.size());
    const QByteArray sep = sectionProperties(m_doc.page);
    u16(word, unsigned(sep.size()));
    word += sep;
    padTo(word, kPage);
    std::vector<std::uint32_t> chpFc, chpPn, papFc, papPn;
    packChpx(m_story.chars, word, chpFc, chpPn);
    packPapx(m_story.paras, word, papFc, papPn);
    const std::uint32_t cbMac = std::uint32_t(word.size());

    // 1Table: everything the FIB points at.
    QByteArray table;
    auto place = [&table](const QByteArray &data) {
        const std::uint32_t fc = std::uint32_t(table.size());
        table += data;
        return std::pair<std::uint32_t, std::uint32_t>(fc, std::uint32_t(data.size()));
    };
    const auto stsh = place(styleSheet());
    QByteArray sedPlc;
    u32(sedPlc, 0);
    u32(sedPlc, std::uint32_t(ccpText));
    u16(sedPlc, 0);
    u32(sedPlc, fcSepx);
    u16(sedPlc, 0);
    u32(sedPlc, 0xFFFFFFFF);
    const auto sed = place(sedPlc);
    std::pair<std::uint32_t, std::uint32_t> hdd{0, 0};
    if (ccpHdd) {
        // Story starts: six note separators, then even header, odd header,
        // even footer, odd footer, first header, first footer.
        const std::uint32_t footerEnd = std::uint32_t(ccpHdd - 1);
        QByteArray plc;
        for (int story = 0; story < 10; ++story)
            u32(plc, 0);
        for (int story = 10; story < 13; ++story)
            u32(plc, footerEnd);
        u32(plc, std::uint32_t(ccpHdd + 1));
        hdd = place(plc);
    }
    const auto bteChpx = place(plcBte(chpFc, chpPn));
    const auto btePapx = place(plcBte(papFc, papPn));
    const auto ffn = place(m_fonts.sttbf());
    const auto dop = place(documentProperties());
    QByteArray assoc;
    u16(assoc, 0xFFFF); // extended strings
    u16(assoc, 18);
    u16(assoc, 0);
    zeros(assoc, 36);
    const auto sttbfAssoc = place(assoc);
    QByteArray clx;
    u8(clx, 0x02); // piece table
    u32(clx, 16);
    u32(clx, 0);
    u32(clx, std::uint32_t(cpAll));
    u16(clx, 0);
    u32(clx, kTextStart); // one Unicode piece
    u16(clx, 0);
    const auto pieces = place(clx);

    // FIB.
    put16(word, 0x00, 0xA5EC);
    put16(word, 0x02, 0x00C1); // Word 97
    put16(word, 0x06, 0x0409);
    put16(word, 0x0A, 0x1200); // the 1Table stream; extended characters
    put16(word, 0x0C, 0x00BF);
    put32(word, 0x18, kTextStart);
    put32(word, 0x1C, textEnd);
    put16(word, 32, 0x000E);
    put16(word, 62, 0x0016);
    put32(word, 64, cbMac);
    put32(word, 76, std::uint32_t(ccpText));
    put32(word, 84, std::uint32_t(ccpHdd));
    put32(word, 112, chpPn.front());
    put32(word, 116, std::uint32_t(chpPn.size()));
    put32(word, 124, papPn.front());
    put32(word, 128, std::uint32_t(papPn.size()));
    put16(word, 152, 0x005D);
    auto pair = [&word](int index, std::pair<std::uint32_t, std::uint32_t> where) {
        put32(word, 154 + 8 * index, where.first);
        put32(word, 158 + 8 * index, where.second);
    };
    pair(0, stsh); // the original style sheet, as Word keeps it
    pair(1, stsh);
    pair(6, sed);
    pair(11, hdd);
    pair(12, bteChpx);
    pair(13, btePapx);
    pair(15, ffn);
    pair(31, dop);
    pair(32, sttbfAssoc);
    pair(33, pieces);
    // cswNew at 898 stays 0: no later FIB parts.

    if (word.size() < kMinStream)
        word.resize(kMinStream, '\0');
    if (table.size() < kMinStream)
        table.resize(kMinStream, '\0');
    return compoundFile({{QStringLiteral("WordDocument"), word}, {QStringLiteral("1Table"), table}});
}

} // namespace

QByteArray docBytes(const Document &document)
{
    return Writer(document).write();
}

Status writeDoc(const Document &document, const QString &path)
{
    const QByteArray bytes = docBytes(document);
    if (bytes.isEmpty())
        return Status::failure(QStringLiteral("无法写入 %1：表格的一行没有单元格或超过 %2 个单元格")
                                   .arg(path)
                                   .arg(kMaxCellsPerRow));
    return writeFileAtomically(path, bytes);
}

} // namespace tamsel::doc
