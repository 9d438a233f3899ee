// LibreOffice opens every document of the case table and converts it to
// .docx (whose XML shows runs, formats, alignment, page setup and grid) and
// to PDF (page count and A4 size).
#include "atomic_file.h"
#include "base_document.h"
#include "doc_cases.h"
#include "doc_reader.h"
#include "doc_writer.h"
#include "external_readers.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tamsel;
using namespace tamsel::doc;
using namespace tamsel::test;

namespace {

// Both sides merge neighbouring runs of one look: LibreOffice splits runs
// where the script changes.
std::vector<DocxRun> merged(std::vector<DocxRun> runs)
{
    std::vector<DocxRun> out;
    for (DocxRun &r : runs) {
        if (r.text.isEmpty())
            continue;
        if (!out.empty() && out.back().bold == r.bold && out.back().halfPoints == r.halfPoints &&
            out.back().underline == r.underline)
            out.back().text += r.text;
        else
            out.push_back(r);
    }
    return out;
}

std::vector<DocxRun> modelRuns(const Paragraph &p)
{
    std::vector<DocxRun> runs;
    for (const doc::Run &r : p.runs)
        runs.push_back({r.text, r.format.bold, int(r.format.sizePt * 2), r.format.underline});
    return merged(runs);
}

bool alignmentMatches(Alignment alignment, const QString &jc)
{
    switch (alignment) {
    case Alignment::Left: return jc.isEmpty() || jc == QLatin1String("left") || jc == QLatin1String("start");
    case Alignment::Center: return jc == QLatin1String("center");
    case Alignment::Right: return jc == QLatin1String("right") || jc == QLatin1String("end");
    }
    return false;
}

struct Converted
{
    QString docx, pdf, doc; // doc: LibreOffice's own Word 97 file of the same document
};

// All cases converted in two LibreOffice runs (cached by content).
const std::vector<Converted> &converted()
{
    static const std::vector<Converted> files = [] {
        QList<QByteArray> docs;
        for (const DocCase &c : docCases())
            docs << docBytes(c.document);
        docs << baseDocumentBytes(); // last: converted in the same LibreOffice runs
        const QStringList docx = officeConversions(docs, QStringLiteral("docx"));
        const QStringList pdf = officeConversions(docs, QStringLiteral("pdf"));
        const QStringList doc = officeConversions(docs, QStringLiteral("doc"));
        std::vector<Converted> out;
        for (qsizetype i = 0; i < docs.size(); ++i)
            out.push_back({docx[i], pdf[i], doc[i]});
        return out;
    }();
    return files;
}

class OfficeReads : public testing::TestWithParam<std::size_t>
{
protected:
    const DocCase &theCase() const { return docCases()[GetParam()]; }
    const Converted &files() const { return converted()[GetParam()]; }
};

TEST_P(OfficeReads, paragraphsRunsAndFormats)
{
    ASSERT_FALSE(files().docx.isEmpty()) << "LibreOffice did not convert the document";
    const DocxContent docx = parseDocx(files().docx);
    std::vector<const DocxParagraph *> body;
    for (const DocxParagraph &p : docx.paragraphs)
        if (!p.inTable)
            body.push_back(&p);
    std::vector<const Paragraph *> expected;
    for (const Block &block : theCase().document.body)
        if (const auto *p = std::get_if<Paragraph>(&block))
            expected.push_back(p);
    // A document ending in a table, or an empty one, gains one empty paragraph.
    static const Paragraph empty;
    if (expected.size() + 1 == body.size())
        expected.push_back(&empty);
    ASSERT_EQ(body.size(), expected.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(merged(body[i]->runs), modelRuns(*expected[i]));
        EXPECT_TRUE(alignmentMatches(expected[i]->alignment, body[i]->alignment)) << body[i]->alignment.toStdString();
        EXPECT_EQ(body[i]->pageBreakBefore, expected[i]->pageBreakBefore);
    }
}

TEST_P(OfficeReads, pageSetupAndLineGrid)
{
    ASSERT_FALSE(files().docx.isEmpty());
    const DocxContent docx = parseDocx(files().docx);
    const PageSetup &page = theCase().document.page;
    EXPECT_EQ(docx.pageSize.value(QStringLiteral("w")).toInt(), page.pageWidthTwips);
    EXPECT_EQ(docx.pageSize.value(QStringLiteral("h")).toInt(), page.pageHeightTwips);
    EXPECT_EQ(docx.pageSize.value(QStringLiteral("orient")) == QLatin1String("landscape"), page.landscape);
    EXPECT_EQ(docx.margins.value(QStringLiteral("top")).toInt(), page.marginTopTwips);
    EXPECT_EQ(docx.margins.value(QStringLiteral("bottom")).toInt(), page.marginBottomTwips);
    EXPECT_EQ(docx.margins.value(QStringLiteral("left")).toInt(), page.marginLeftTwips);
    EXPECT_EQ(docx.margins.value(QStringLiteral("right")).toInt(), page.marginRightTwips);
    if (!theCase().document.footer.empty())
        EXPECT_EQ(docx.margins.value(QStringLiteral("footer")).toInt(), page.footerTwips);
    EXPECT_EQ(docx.grid.value(QStringLiteral("type")), QStringLiteral("lines"));
    EXPECT_EQ(docx.grid.value(QStringLiteral("linePitch")).toInt(), page.linePitchTwips);
}

TEST_P(OfficeReads, pdfPagesOnA4)
{
    ASSERT_FALSE(files().pdf.isEmpty());
    EXPECT_EQ(pdfPages(files().pdf), theCase().pages);
    EXPECT_EQ(pdfPageSize(files().pdf), theCase().document.page.landscape ? QStringLiteral("842x595")
                                                                           : QStringLiteral("595x842"));
}

TEST_P(OfficeReads, footerAndTables)
{
    ASSERT_FALSE(files().docx.isEmpty());
    const DocxContent docx = parseDocx(files().docx);
    QString footer;
    for (const Paragraph &p : theCase().document.footer)
        for (const doc::Run &r : p.runs)
            footer += r.text;
    EXPECT_EQ(docx.footerText, footer);
    if (!footer.isEmpty())
        EXPECT_TRUE(pdfText(files().pdf).simplified().contains(footer.simplified()));

    std::vector<const Table *> tables;
    for (const Block &block : theCase().document.body)
        if (const auto *t = std::get_if<Table>(&block))
            tables.push_back(t);
    ASSERT_EQ(docx.tables.size(), tables.size());
    for (std::size_t t = 0; t < tables.size(); ++t) {
        ASSERT_EQ(docx.tables[t].size(), tables[t]->rows.size());
        for (std::size_t r = 0; r < tables[t]->rows.size(); ++r) {
            // Each merged group is one cell spanning the columns it covers.
            std::vector<DocxCell> expected;
            for (const TableCell &cell : tables[t]->rows[r].cells) {
                QString text = cell.paragraphs.empty() ? QString() : cell.paragraphs.front().runs.front().text;
                if (cell.mergedWithPrevious) {
                    expected.back().gridSpan += 1;
                    expected.back().widthTwips += cell.widthTwips;
                } else {
                    expected.push_back({text, 1, cell.widthTwips});
                }
            }
            const auto &row = docx.tables[t][r];
            ASSERT_EQ(row.size(), expected.size()) << "row " << r;
            for (std::size_t c = 0; c < row.size(); ++c) {
                EXPECT_EQ(row[c].text, expected[c].text);
                EXPECT_EQ(row[c].widthTwips, expected[c].widthTwips);
                EXPECT_EQ(row[c].gridSpan, expected[c].gridSpan);
            }
        }
    }
}

TEST_P(OfficeReads, ourReaderReadsLibreOfficesWord97File)
{
    // A .doc of another writer (small streams in the mini stream, summary
    // streams, its own FIB layout) opens with the page setup it carries.
    ASSERT_FALSE(files().doc.isEmpty());
    Result<DocSummary> summary = readDocSummary(readFileBytes(files().doc));
    ASSERT_TRUE(summary.ok()) << summary.message().toStdString();
    PageSetup expected = theCase().document.page;
    // LibreOffice keeps the header and footer distances only where there is one.
    expected.headerTwips = summary.value().page.headerTwips;
    if (theCase().document.footer.empty())
        expected.footerTwips = summary.value().page.footerTwips;
    EXPECT_EQ(summary.value().page, expected);
    EXPECT_EQ(summary.value().hasHeaderOrFooter, !theCase().document.footer.empty());
    EXPECT_TRUE(summary.value().mainText.endsWith(QLatin1Char('\r')));
}

INSTANTIATE_TEST_SUITE_P(Cases, OfficeReads, testing::Range<std::size_t>(0, docCases().size()),
                         [](const testing::TestParamInfo<std::size_t> &info) {
                             return std::string(docCases()[info.param].name);
                         });

TEST(OfficeFonts, aNamedFontReachesLibreOfficeAndTheDefaultIsSimSun)
{
    std::size_t index = 0;
    while (QString::fromLatin1(docCases()[index].name) != QLatin1String("named_font"))
        ++index;
    const QString xml = QString::fromUtf8(zipEntry(converted()[index].docx, QStringLiteral("word/document.xml")));
    EXPECT_TRUE(xml.contains(QStringLiteral("w:eastAsia=\"黑体\""))) << xml.toStdString();
    const QString styles = QString::fromUtf8(zipEntry(converted()[index].docx, QStringLiteral("word/styles.xml")));
    EXPECT_TRUE(styles.contains(QRegularExpression(QStringLiteral("w:eastAsia=\"宋体(;SimSun)?\""))));
}

TEST(RecordPages, libreOfficeBreaksTheRecordOnTheGrid)
{
    // Each page breaks where the grid of 22 lines of 14 pt breaks it, and
    // carries one pair of closing lines.
    std::size_t index = 0;
    while (QString::fromLatin1(docCases()[index].name) != QLatin1String("three_page_record"))
        ++index;
    const QStringList pages = pdfText(converted()[index].pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(pages[page].count(QStringLiteral("记录人签名")), 1);
        EXPECT_EQ(pages[page].count(QStringLiteral("问：").normalized(QString::NormalizationForm_KC)), recordQuestionsPerPage()[page]);
    }
}

TEST(BaseDocument, libreOfficeReadsThePageSetupAndTheFooterLine)
{
    const Converted &files = converted().back();
    ASSERT_FALSE(files.docx.isEmpty());
    const DocxContent docx = parseDocx(files.docx);
    EXPECT_EQ(docx.pageSize.value(QStringLiteral("w")), QStringLiteral("11906")); // 210 mm
    EXPECT_EQ(docx.pageSize.value(QStringLiteral("h")), QStringLiteral("16838")); // 297 mm
    EXPECT_NE(docx.pageSize.value(QStringLiteral("orient")), QStringLiteral("landscape"));
    EXPECT_EQ(docx.margins.value(QStringLiteral("top")), QStringLiteral("1474"));    // 2.6 cm
    EXPECT_EQ(docx.margins.value(QStringLiteral("bottom")), QStringLiteral("1134")); // 2.0 cm
    EXPECT_EQ(docx.margins.value(QStringLiteral("left")), QStringLiteral("1361"));   // 2.4 cm
    EXPECT_EQ(docx.margins.value(QStringLiteral("right")), QStringLiteral("1134"));  // 2.0 cm
    EXPECT_EQ(docx.margins.value(QStringLiteral("footer")), QStringLiteral("992"));  // 1.75 cm
    EXPECT_EQ(docx.grid.value(QStringLiteral("type")), QStringLiteral("lines"));
    EXPECT_EQ(docx.grid.value(QStringLiteral("linePitch")), QStringLiteral("312")); // 15.6 pt
    EXPECT_EQ(docx.footerText, footerLine());
    ASSERT_EQ(docx.paragraphs.size(), 1u); // the empty body's one paragraph
    EXPECT_TRUE(docx.paragraphs[0].runs.empty());
    EXPECT_EQ(pdfPages(files.pdf), 1);
    EXPECT_EQ(pdfPageSize(files.pdf), QStringLiteral("595x842"));
    EXPECT_TRUE(pdfText(files.pdf).simplified().contains(footerLine().simplified()));
}

} // namespace
