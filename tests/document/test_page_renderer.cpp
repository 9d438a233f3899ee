// The page renderer: pagination on the line grid agrees with the page count
// LibreOffice gives the same documents, and the PDF carries the text on A4.
#include "base_document.h"
#include "doc_cases.h"
#include "external_readers.h"
#include "page_renderer.h"

#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamsel;
using namespace tamsel::doc;
using namespace tamsel::test;

namespace {

class Pagination : public testing::TestWithParam<DocCase>
{
};

TEST_P(Pagination, sameNumberOfPagesAsLibreOffice)
{
    // The case table's page counts are checked against LibreOffice in test_doc_office.
    EXPECT_EQ(pageCount(GetParam().document), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(Cases, Pagination, testing::ValuesIn(docCases()),
                         [](const testing::TestParamInfo<DocCase> &info) { return std::string(info.param.name); });

TEST(PageRenderer, pdfHoldsTheTextOnA4)
{
    QTemporaryDir dir;
    Document document = baseDocument();
    document.body = {paragraph({run(QStringLiteral("劳动保障监察询问笔录"), true, 22)}, Alignment::Center),
                     paragraph({run(QStringLiteral("笔录地点：")), run(QStringLiteral("某市劳动监察支队"), false, 14, true)}),
                     paragraph({run(QStringLiteral("第二张的内容"))}, Alignment::Left, true)};
    const QString pdf = dir.filePath(QStringLiteral("record.pdf"));
    const Status status = renderPdf(document, pdf);
    ASSERT_TRUE(status.ok()) << status.message().toStdString();
    EXPECT_EQ(pdfPageSize(pdf), QStringLiteral("595x842"));
    EXPECT_EQ(pdfPages(pdf), 2);
    const QString text = pdfText(pdf);
    for (const QString &expected : {QStringLiteral("劳动保障监察询问笔录"), QStringLiteral("笔录地点：某市劳动监察支队"),
                                    QStringLiteral("第二张的内容")})
        EXPECT_TRUE(text.simplified().contains(expected.normalized(QString::NormalizationForm_KC))) << expected.toStdString() << "\n" << text.toStdString();
    // The footer is on both pages. (Qt's PDF maps the glyph of 页 to a CJK
    // radical, which pdftotext prints instead; 第 and 共 read true.)
    EXPECT_EQ(text.count(QStringLiteral("共")), 2);
    EXPECT_EQ(text.count(QStringLiteral("第")), 3);
}

TEST(PageRenderer, recordPagesBreakWhereLibreOfficeBreaksThem)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("record.pdf"));
    ASSERT_TRUE(renderPdf(threePageRecord(), pdf).ok());
    const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(pages[page].count(QStringLiteral("记录人签名")), 1);
        EXPECT_EQ(pages[page].count(QStringLiteral("问：").normalized(QString::NormalizationForm_KC)), recordQuestionsPerPage()[page]);
    }
}

TEST(PageRenderer, textFilesPrintLineByLine)
{
    QTemporaryDir dir;
    QString text;
    for (int i = 1; i <= 120; ++i)
        text += QStringLiteral("第%1条 劳动者享有平等就业的权利。\r\n").arg(i);
    const Document document = textDocument(text);
    const QString pdf = dir.filePath(QStringLiteral("law.pdf"));
    ASSERT_TRUE(renderPdf(document, pdf).ok());
    EXPECT_EQ(pdfPages(pdf), pageCount(document));
    EXPECT_GT(pdfPages(pdf), 1);
    const QString read = pdfText(pdf);
    EXPECT_TRUE(read.contains(QStringLiteral("第1条 劳动者享有平等就业的权利。")));
    EXPECT_TRUE(read.contains(QStringLiteral("第120条 劳动者享有平等就业的权利。")));
}

TEST(PageRenderer, pdfFailureNamesTheFile)
{
    const QString path = QStringLiteral("/nonexistent-folder/x.pdf");
    const Status status = renderPdf(baseDocument(), path);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(path)) << status.message().toStdString();
}

TEST(PageRenderer, noPrinterIsAFailureNotASuccess)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is configured on this machine";
    const Status status = printOnDefaultPrinter(baseDocument());
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().isEmpty());
}

} // namespace
