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
