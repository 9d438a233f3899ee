// The .doc writer judged by antiword, wvText and olefile, and by our own
// page setup reader; LibreOffice's judgement is in test_doc_office.cpp.
#include "base_document.h"
#include "doc_cases.h"
#include "doc_reader.h"
#include "atomic_file.h"
#include "doc_writer.h"
#include "external_readers.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamsel;
using namespace tamsel::doc;
using namespace tamsel::test;

namespace {

// The lines a plain-text reader should print for the body: one per
// paragraph, a table row as its cells joined by tabs.
QStringList expectedLines(const Document &document)
{
    return plainText(document).split(QLatin1Char('\n'));
}

QStringList nonEmptyTrimmed(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        if (!line.trimmed().isEmpty())
            out << line.trimmed();
    return out;
}

// antiword draws table rows as |cell|cell|; reduce them to tab-joined cells.
QStringList antiwordLines(const QString &text)
{
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('|'))) {
            QStringList cells = line.split(QLatin1Char('|'));
            cells.removeFirst();
            cells.removeLast();
            for (QString &c : cells)
                c = c.trimmed();
            line = cells.join(QLatin1Char('\t'));
        }
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

class DocReaders : public testing::TestWithParam<DocCase>
{
protected:
    QString write()
    {
        const QString path = m_dir.filePath(QString::fromLatin1(GetParam().name) + QStringLiteral(".doc"));
        const Status status = writeDoc(GetParam().document, path);
        EXPECT_TRUE(status.ok()) << status.message().toStdString();
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_P(DocReaders, antiwordReadsTheModelText)
{
    const QString path = write();
    QStringList expected = nonEmptyTrimmed(expectedLines(GetParam().document));
    for (QString &line : expected) // a row's cells, each trimmed as antiword pads them
    {
        QStringList cells = line.split(QLatin1Char('\t'));
        for (QString &c : cells)
            c = c.trimmed();
        line = cells.join(QLatin1Char('\t'));
    }
    EXPECT_EQ(antiwordLines(antiwordText(path)), expected);
}

TEST_P(DocReaders, wvTextReadsEveryCharacterOfEveryParagraph)
{
    const Document &document = GetParam().document;
    QStringList expected;
    for (const Block &block : document.body) {
        if (const auto *p = std::get_if<Paragraph>(&block)) {
            QString text;
            for (const doc::Run &r : p->runs)
                text += r.text;
            expected << text;
            continue;
        }
        // wvText prints each cell's text on a line of its own; merged cells are one.
        for (const TableRow &row : std::get<Table>(block).rows)
            for (const TableCell &cell : row.cells)
                if (!cell.mergedWithPrevious)
                    for (const Paragraph &p : cell.paragraphs)
                        expected << p.runs.front().text;
    }
    QStringList lines = wvText(write()).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line.remove(QLatin1Char('\x07')); // wvText keeps the cell and row marks
    }
    // wvText opens with blank lines of its own.
    while (!lines.isEmpty() && lines.front().isEmpty())
        lines.removeFirst();
    while (!expected.isEmpty() && expected.front().isEmpty())
        expected.removeFirst();
    ASSERT_GE(lines.size(), expected.size()) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines.mid(0, expected.size()), expected);
    // After the body only blank lines and the footer follow.
    QStringList footer;
    for (const Paragraph &p : document.footer)
        footer << p.runs.front().text;
    for (const QString &line : lines.mid(expected.size()))
        EXPECT_TRUE(line.isEmpty() || footer.contains(line)) << line.toStdString();
}

TEST_P(DocReaders, oleFileFindsBothStreamsAndTheWordSignature)
{
    const QString report = oleReport(write());
    EXPECT_TRUE(report.contains(QRegularExpression(QStringLiteral("^1Table \\d+$"), QRegularExpression::MultilineOption)))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QRegularExpression(QStringLiteral("^WordDocument \\d+$"), QRegularExpression::MultilineOption)))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("wIdent=0xA5EC"))) << report.toStdString();
}

TEST_P(DocReaders, pageSetupAndTextReadBack)
{
    const QByteArray bytes = docBytes(GetParam().document);
    Result<DocSummary> summary = readDocSummary(bytes);
    ASSERT_TRUE(summary.ok()) << summary.message().toStdString();
    EXPECT_EQ(summary.value().page, GetParam().document.page);
    EXPECT_EQ(summary.value().hasHeaderOrFooter, !GetParam().document.footer.empty());
    QString expected = plainText(GetParam().document);
    QString text = summary.value().mainText;
    EXPECT_TRUE(text.endsWith(QLatin1Char('\r')));
    EXPECT_EQ(bytes.size() % 512, 0);
    // Paragraph marks and cell marks become the plain text's separators.
    text.chop(1);
    text.replace(QStringLiteral("\x07\x07\r"), QStringLiteral("\n")); // a table's last row
    text.replace(QStringLiteral("\x07\x07"), QStringLiteral("\n"));   // row end
    text.replace(QLatin1Char('\x07'), QLatin1Char('\t'));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!GetParam().document.body.empty() && std::holds_alternative<Table>(GetParam().document.body.back()))
        expected += QLatin1Char('\n');
    EXPECT_EQ(text, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DocReaders, testing::ValuesIn(docCases()),
                         [](const testing::TestParamInfo<DocCase> &info) { return std::string(info.param.name); });

TEST(DocWriter, sameModelGivesTheSameBytes)
{
    for (const DocCase &c : docCases()) {
        const Document copy = c.document;
        EXPECT_EQ(docBytes(c.document), docBytes(copy)) << c.name;
    }
}

TEST(DocWriter, aRowTooWideIsRefusedAndTheOldFileSurvives)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.doc"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    Document document;
    Table table;
    table.rows.resize(1);
    table.rows[0].cells.resize(kMaxCellsPerRow + 1);
    document.body.push_back(table);
    EXPECT_TRUE(docBytes(document).isEmpty());
    const Status status = writeDoc(document, path);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(path)) << status.message().toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));

    // Merged cells count once: the same row with its extra cell merged fits.
    table.rows[0].cells.back().mergedWithPrevious = true;
    document.body = {table};
    EXPECT_FALSE(docBytes(document).isEmpty());
}

TEST(DocWriter, aLargeDocumentNeedsSeveralFatSectors)
{
    // Over 64 KB the compound file needs more than one FAT sector.
    Document document;
    for (int i = 0; i < 6000; ++i)
        document.body.push_back(paragraph({run(QStringLiteral("监察文书大全 第%1段").arg(i), i % 7 == 0)}));
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ws27.doc"));
    ASSERT_TRUE(writeDoc(document, path).ok());
    EXPECT_GT(QFileInfo(path).size(), 128 * 512 * 2);
    const QString report = oleReport(path);
    EXPECT_TRUE(report.contains(QStringLiteral("wIdent=0xA5EC"))) << report.toStdString();
    const QStringList lines = antiwordLines(antiwordText(path));
    ASSERT_EQ(lines.size(), 6000);
    EXPECT_EQ(lines.back(), QStringLiteral("监察文书大全 第5999段"));
    Result<DocSummary> summary = readDocSummary(readFileBytes(path));
    ASSERT_TRUE(summary.ok()) << summary.message().toStdString();
    EXPECT_EQ(summary.value().mainText.count(QLatin1Char('\r')), 6000);
}

TEST(BaseDocument, carriedBytesAreTheWritersAndHoldThePageSetup)
{
    EXPECT_EQ(baseDocumentBytes(), docBytes(baseDocument()));
    Result<DocSummary> summary = readDocSummary(baseDocumentBytes());
    ASSERT_TRUE(summary.ok());
    const PageSetup &page = summary.value().page;
    EXPECT_EQ(page.pageWidthTwips, 11906);
    EXPECT_EQ(page.pageHeightTwips, 16838);
    EXPECT_FALSE(page.landscape);
    EXPECT_EQ(page.marginTopTwips, 1474);
    EXPECT_EQ(page.marginBottomTwips, 1134);
    EXPECT_EQ(page.marginLeftTwips, 1361);
    EXPECT_EQ(page.marginRightTwips, 1134);
    EXPECT_EQ(page.headerTwips, 850); // 1.5 cm; LibreOffice shows it only with a header
    EXPECT_EQ(page.footerTwips, 992);
    EXPECT_TRUE(page.lineGrid);
    EXPECT_EQ(page.linePitchTwips, 312);
    EXPECT_EQ(summary.value().mainText, QStringLiteral("\r"));
    EXPECT_TRUE(summary.value().hasHeaderOrFooter);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Doc.doc"));
    ASSERT_TRUE(writeFileAtomically(path, baseDocumentBytes()).ok());
    EXPECT_TRUE(wvText(path).contains(footerLine()));
}

TEST(DocWriter, aFailedWriteNamesTheFile)
{
    const QString path = QStringLiteral("/nonexistent-folder/BL/x.doc");
    const Status status = writeDoc(Document(), path);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(path)) << status.message().toStdString();
}

TEST(DocWriter, longDocumentsSpanManyPropertyPages)
{
    // Enough paragraphs and distinct formats to need several FKPs of each kind.
    Document document;
    for (int i = 0; i < 400; ++i)
        document.body.push_back(paragraph({run(QStringLiteral("第%1行").arg(i), i % 2, 10 + i % 13, i % 3 == 0),
                                           run(QStringLiteral(" 尾 ") + QString::number(i))},
                                          i % 3 ? Alignment::Left : Alignment::Center));
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.doc"));
    ASSERT_TRUE(writeDoc(document, path).ok());
    EXPECT_EQ(antiwordLines(antiwordText(path)), nonEmptyTrimmed(expectedLines(document)));
    Result<DocSummary> summary = readDocSummary(docBytes(document));
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary.value().mainText.count(QLatin1Char('\r')), 400);
}

} // namespace
