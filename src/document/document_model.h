#pragma once

#include <QString>

#include <variant>
#include <vector>

// The document as the system composes it: paragraphs of formatted runs,
// simple tables, one section's page setup and a footer. The .doc writer, the
// printer and the PDF renderer all take this model; nothing else describes a
// document.
namespace tamsel::doc {

enum class Alignment { Left, Center, Right };

struct RunFormat
{
    bool bold = false;
    double sizePt = 14;     // whole or half points
    bool underline = false; // single underline
    QString font;           // empty = the document's default (宋体 / SimSun)

    bool operator==(const RunFormat &) const = default;
};

struct Run
{
    QString text; // no paragraph marks; a "\t" is a tab
    RunFormat format;

    bool operator==(const Run &) const = default;
};

struct Paragraph
{
    std::vector<Run> runs;
    Alignment alignment = Alignment::Left;
    bool pageBreakBefore = false; // the paragraph starts a new page
    RunFormat markFormat;         // the look of an empty paragraph (its line height); a paragraph
                                  // with text takes its mark's look from its last run
    int spaceAfterTwips = 0;      // space below the paragraph; on the line grid the next
                                  // paragraph starts on the grid line after it

    bool operator==(const Paragraph &) const = default;
};

struct TableCell
{
    std::vector<Paragraph> paragraphs; // none reads as one empty paragraph
    int widthTwips = 0;                // 0 = an equal share of the text width
    bool mergedWithPrevious = false;   // horizontal merge: this cell continues the one on its left

    bool operator==(const TableCell &) const = default;
};

struct TableRow
{
    std::vector<TableCell> cells; // 1 to 63 cells
    int minHeightTwips = 0;       // 0 = as high as the text needs

    bool operator==(const TableRow &) const = default;
};

struct Table
{
    std::vector<TableRow> rows;
    bool borders = true; // single black lines around and between the cells

    bool operator==(const Table &) const = default;
};

using Block = std::variant<Paragraph, Table>;

// One section; lengths in twips (1/1440 inch, 567 per centimetre).
struct PageSetup
{
    int pageWidthTwips = 11906, pageHeightTwips = 16838; // A4, as the page lies
    bool landscape = false; // the sheet is turned: give width > height as well
    int marginTopTwips = 1474, marginBottomTwips = 1134, marginLeftTwips = 1361, marginRightTwips = 1134;
    int headerTwips = 850, footerTwips = 992; // distance of header and footer from the page edge
    bool lineGrid = true;                      // a document grid of lines only
    int linePitchTwips = 312;                  // 15.6 pt

    bool operator==(const PageSetup &) const = default;
};

struct Document
{
    PageSetup page;
    std::vector<Block> body;
    std::vector<Paragraph> footer; // shown on every page; empty = no footer

    bool operator==(const Document &) const = default;
};

// The text of a paragraph's runs, one after the other.
QString paragraphText(const Paragraph &paragraph);

// The text a reader of the document sees: body paragraphs joined by "\n",
// the cells of a table row joined by "\t" (a merged cell joins the one it
// continues), the footer left out.
QString plainText(const Document &document);

} // namespace tamsel::doc
