// The composed record as LibreOffice and our own renderer lay it out: each
// composed page is one A4 page that ends with its two closing lines.
#include "atomic_file.h"
#include "external_readers.h"
#include "native_document_session.h"
#include "page_renderer.h"
#include "record_document.h"
#include "record_fixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

struct Composed
{
    QByteArray bytes;
    doc::Document document;
};

Composed compose(int lastPair)
{
    RecordFixture r;
    r.fillPairs(1, lastPair);
    doc::NativeDocumentSession session;
    int counter = 0;
    const Result<ComposedRecord> composed = composeRecordDocument(r.form, session, r.runDir, counter);
    EXPECT_TRUE(composed.ok());
    Composed out{{}, *session.currentDocument()};
    session.saveDocumentAs(composed.value().documentPath);
    out.bytes = readFileBytes(composed.value().documentPath);
    return out;
}

int pdfPages(const QString &pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}).out);
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

bool isA4(const QString &pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}).out);
    return info.contains(QStringLiteral("(A4)"));
}

QString bare(const QString &text)
{
    QString b = text.normalized(QString::NormalizationForm_KC);
    b.remove(QRegularExpression(QStringLiteral("\\s")));
    return b;
}

// The lines of one page that hold text, without blanks (pdftotext spaces
// digits off Chinese) and in NFKC (PDF glyphs may read as radicals).
QStringList pageLines(const QString &pdf, int page)
{
    const QString text = QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                 QString::number(page), pdf, QStringLiteral("-")})
            .out);
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        if (const QString b = bare(line); !b.isEmpty())
            lines << b;
    }
    return lines;
}

// Every page ends with the two closing lines (the footer's page line may
// follow), and holds the questions it should.
void expectPages(const QString &pdf, const std::vector<std::pair<int, int>> &pairsPerPage)
{
    ASSERT_EQ(pdfPages(pdf), static_cast<int>(pairsPerPage.size())) << pdf.toStdString();
    EXPECT_TRUE(isA4(pdf));
    for (size_t p = 0; p < pairsPerPage.size(); ++p) {
        const QStringList lines = pageLines(pdf, static_cast<int>(p + 1));
        const QString joined = lines.join(u'\n');
        const qsizetype first = lines.indexOf(bare(QStringLiteral("被询问人签名：")));
        ASSERT_GE(first, 0) << "page " << p + 1 << ":\n" << joined.toStdString();
        EXPECT_EQ(lines.value(first + 1), bare(QStringLiteral("询问人签名："))) << joined.toStdString();
        EXPECT_LE(lines.size() - first, 3) << "nothing but the footer after the closing lines:\n" << joined.toStdString();
        const auto [from, to] = pairsPerPage[p];
        for (int pair = from; pair <= to; ++pair)
            EXPECT_TRUE(joined.contains(bare(QStringLiteral("问：第%1问？").arg(pair)))) << "page " << p + 1 << " pair " << pair;
        if (p + 1 < pairsPerPage.size())
            EXPECT_FALSE(joined.contains(bare(QStringLiteral("问：第%1问？").arg(to + 1))));
    }
}

TEST(RecordPages, libreOfficeLaysEachComposedPageOnOneA4Page)
{
    const Composed full = compose(24);
    const Composed short_ = compose(2);
    const QStringList pdfs = officeConversions({full.bytes, short_.bytes}, QStringLiteral("pdf"));
    ASSERT_EQ(pdfs.size(), 2);
    ASSERT_FALSE(pdfs[0].isEmpty()) << "LibreOffice converted the record";
    expectPages(pdfs[0], {{1, 4}, {5, 14}, {15, 24}});
    expectPages(pdfs[1], {{1, 2}});
}

TEST(RecordPages, ourRendererPaginatesTheSame)
{
    QTemporaryDir dir;
    const Composed full = compose(24);
    const Composed short_ = compose(2);
    EXPECT_EQ(doc::pageCount(full.document), 3);
    EXPECT_EQ(doc::pageCount(short_.document), 1);
    const QString fullPdf = dir.filePath(QStringLiteral("full.pdf"));
    const QString shortPdf = dir.filePath(QStringLiteral("short.pdf"));
    ASSERT_TRUE(doc::renderPdf(full.document, fullPdf).ok());
    ASSERT_TRUE(doc::renderPdf(short_.document, shortPdf).ok());
    expectPages(fullPdf, {{1, 4}, {5, 14}, {15, 24}});
    expectPages(shortPdf, {{1, 2}});
}

} // namespace
} // namespace tamsel::test
