#include "base_document.h"

namespace tamsel::doc {

namespace {

int twipsOfCm(double cm) { return int(cm * 1440 / 2.54 + 0.5); }

} // namespace

Document baseDocument()
{
    Document document;
    PageSetup &page = document.page;
    page.pageWidthTwips = 11906; // 210 mm
    page.pageHeightTwips = 16838; // 297 mm
    page.landscape = false;
    page.marginTopTwips = twipsOfCm(2.6);
    page.marginBottomTwips = twipsOfCm(2.0);
    page.marginLeftTwips = twipsOfCm(2.4);
    page.marginRightTwips = twipsOfCm(2.0);
    page.headerTwips = twipsOfCm(1.5);
    page.footerTwips = twipsOfCm(1.75);
    page.lineGrid = true;
    page.linePitchTwips = 312; // 15.6 pt

    // The record's pages on this grid: 297 mm less the top and bottom
    // margins leave 711.5 pt, 45 grid lines. A 14 pt line takes two grid
    // lines, so a page holds 22 lines: a later page's 20 question and answer
    // lines and its two closing lines fill it exactly. The first page gives
    // the title, the header and "笔 录 内 容：" the room of 12 lines: the
    // title (two grid lines), one line of space below it (this paragraph's
    // 624 twips, two grid lines), the blank line, the 7 header lines, the
    // blank line and "笔 录 内 容：" (10 lines); its 8 question and answer
    // lines and 2 closing lines make the same 44 grid lines. So each composed
    // page is one printed page and the next one starts on a new sheet.
    Paragraph titlePlace;
    titlePlace.spaceAfterTwips = 2 * page.linePitchTwips;
    document.body.push_back(titlePlace);

    Paragraph footer;
    footer.alignment = Alignment::Center;
    RunFormat format;
    format.sizePt = 10.5;
    footer.markFormat = format;
    footer.runs.push_back({QStringLiteral("第    页  共    页"), format});
    document.footer.push_back(footer);
    return document;
}

} // namespace tamsel::doc
