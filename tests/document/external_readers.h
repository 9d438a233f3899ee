#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

// The readers that judge our documents, none of them ours: LibreOffice,
// antiword, wvText, olefile, poppler.
namespace tamsel::test {

struct ToolRun
{
    bool started = false;
    int exitCode = -1;
    QByteArray out, err;
};

// Runs `program` with `arguments` (no shell) and waits up to `timeoutMs`.
ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutMs = 60000);

// Text of a .doc as antiword prints it in UTF-8.
QString antiwordText(const QString &docPath);
// Text of a .doc as wvText writes it.
QString wvText(const QString &docPath);
// One line per stream of the compound file, then "wIdent=0x...", by olefile.
QString oleReport(const QString &docPath);

// Converts every .doc of `docs` to `format` ("docx", "pdf", "fodt") with
// LibreOffice headless, caching the results by the document's bytes under
// the build folder so the slow conversion runs once for all test processes.
// Returns, for each input, the converted file's path (empty on failure).
QStringList officeConversions(const QList<QByteArray> &docs, const QString &format);

// The bytes of one entry of a zip file (a .docx part).
QByteArray zipEntry(const QString &zipPath, const QString &entry);

// What the docx XML of a converted document says.
struct DocxRun
{
    QString text;
    bool bold = false;
    int halfPoints = 0; // 0 = from the style
    bool underline = false;
    bool operator==(const DocxRun &) const = default;
};
struct DocxParagraph
{
    std::vector<DocxRun> runs;
    QString alignment;           // w:jc value, empty when absent
    bool pageBreakBefore = false; // w:pageBreakBefore, or a page break ending the paragraph before
    bool inTable = false;
};
struct DocxCell
{
    QString text;
    int gridSpan = 1;
    int widthTwips = 0;
};
struct DocxContent
{
    std::vector<DocxParagraph> paragraphs;
    std::vector<std::vector<std::vector<DocxCell>>> tables; // tables, rows, cells
    QMap<QString, QString> pageSize, margins, grid;        // attributes of pgSz, pgMar, docGrid
    QString footerText;
};
DocxContent parseDocx(const QString &docxPath);

// pdfinfo's "Pages" and "Page size" lines.
int pdfPages(const QString &pdfPath);
QString pdfPageSize(const QString &pdfPath);
QString pdfText(const QString &pdfPath);

} // namespace tamsel::test

// Readable failure output for Qt strings.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList &list, std::ostream *os) { *os << '[' << list.join(QStringLiteral("|")).toStdString() << ']'; }
namespace tamsel::test {
inline void PrintTo(const DocxRun &r, std::ostream *os)
{
    *os << '"' << r.text.toStdString() << "\" bold=" << r.bold << " hp=" << r.halfPoints << " u=" << r.underline;
}
} // namespace tamsel::test
