#include "external_readers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace tamsel::test {

ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ToolRun result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QString antiwordText(const QString &docPath)
{
    return QString::fromUtf8(runTool(QStringLiteral("antiword"), {QStringLiteral("-m"), QStringLiteral("UTF-8.txt"), docPath}).out);
}

QString wvText(const QString &docPath)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    runTool(QStringLiteral("wvText"), {docPath, out});
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString oleReport(const QString &docPath)
{
    static const QString script = QStringLiteral(
        "import sys, olefile\n"
        "o = olefile.OleFileIO(sys.argv[1])\n"
        "for entry in sorted('/'.join(e) for e in o.listdir()):\n"
        "    print(entry, o.get_size(entry))\n"
        "w = o.openstream('WordDocument').read()\n"
        "print('wIdent=0x%04X' % (w[0] | w[1] << 8))\n");
    return QString::fromUtf8(runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, docPath}).out);
}

QStringList officeConversions(const QList<QByteArray> &docs, const QString &format)
{
    const QString cache = QStringLiteral(TAMSEL_BUILD_DIR "/test-cache/document");
    QDir().mkpath(cache);
    QStringList results, missing;
    QTemporaryDir work;
    for (const QByteArray &doc : docs) {
        const QString key = QString::fromLatin1(QCryptographicHash::hash(doc, QCryptographicHash::Sha1).toHex());
        const QString target = cache + QLatin1Char('/') + key + QLatin1Char('.') + format;
        results << target;
        if (QFileInfo::exists(target))
            continue;
        const QString input = work.filePath(key + QStringLiteral(".doc"));
        QFile file(input);
        if (file.open(QIODevice::WriteOnly) && file.write(doc) == doc.size() && !missing.contains(input))
            missing << input;
    }
    if (!missing.isEmpty()) {
        // One LibreOffice start for every missing file, with a profile of
        // its own so parallel test processes do not share one.
        QTemporaryDir profile, out;
        QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                              QStringLiteral("--headless"), QStringLiteral("--norestore"),
                              QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), out.path()};
        runTool(QStringLiteral("soffice"), arguments + missing, 180000);
        for (const QString &input : missing) {
            const QString base = QFileInfo(input).completeBaseName();
            const QString produced = out.filePath(base + QLatin1Char('.') + format);
            // Rename into the cache: another process may have put it there first.
            if (QFileInfo::exists(produced))
                QFile::rename(produced, cache + QLatin1Char('/') + base + QLatin1Char('.') + format);
        }
    }
    for (QString &path : results)
        if (!QFileInfo::exists(path))
            path.clear();
    return results;
}

QByteArray zipEntry(const QString &zipPath, const QString &entry)
{
    static const QString script = QStringLiteral(
        "import sys, zipfile\n"
        "sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))\n");
    return runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, zipPath, entry}).out;
}

namespace {

bool onOff(const QXmlStreamAttributes &attributes)
{
    const QString value = attributes.value(QStringLiteral("w:val")).toString();
    return value.isEmpty() || value == QLatin1String("true") || value == QLatin1String("1") || value == QLatin1String("on");
}

QMap<QString, QString> attributeMap(const QXmlStreamAttributes &attributes)
{
    QMap<QString, QString> map;
    for (const QXmlStreamAttribute &a : attributes)
        map.insert(a.name().toString(), a.value().toString());
    return map;
}

} // namespace

DocxContent parseDocx(const QString &docxPath)
{
    DocxContent content;
    QXmlStreamReader xml(zipEntry(docxPath, QStringLiteral("word/document.xml")));
    bool inRun = false, inRunProperties = false, breakPending = false;
    int tableDepth = 0;
    DocxParagraph paragraph;
    DocxRun run;
    DocxCell *cell = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        const QString name = xml.qualifiedName().toString();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            if (name == QLatin1String("w:tbl")) {
                if (tableDepth++ == 0)
                    content.tables.emplace_back();
            } else if (name == QLatin1String("w:tr") && tableDepth == 1) {
                content.tables.back().emplace_back();
            } else if (name == QLatin1String("w:tc") && tableDepth == 1) {
                content.tables.back().back().emplace_back();
                cell = &content.tables.back().back().back();
            } else if (name == QLatin1String("w:gridSpan") && cell) {
                cell->gridSpan = a.value(QStringLiteral("w:val")).toInt();
            } else if (name == QLatin1String("w:tcW") && cell) {
                cell->widthTwips = a.value(QStringLiteral("w:w")).toInt();
            } else if (name == QLatin1String("w:p")) {
                paragraph = DocxParagraph();
                paragraph.inTable = tableDepth > 0;
                paragraph.pageBreakBefore = breakPending;
                breakPending = false;
            } else if (name == QLatin1String("w:jc") && !inRun && tableDepth == 0) {
                paragraph.alignment = a.value(QStringLiteral("w:val")).toString();
            } else if (name == QLatin1String("w:pageBreakBefore")) {
                paragraph.pageBreakBefore = onOff(a);
            } else if (name == QLatin1String("w:r")) {
                inRun = true;
                run = DocxRun();
            } else if (name == QLatin1String("w:rPr") && inRun) {
                inRunProperties = true;
            } else if (inRunProperties && name == QLatin1String("w:b")) {
                run.bold = onOff(a);
            } else if (inRunProperties && name == QLatin1String("w:sz")) {
                run.halfPoints = a.value(QStringLiteral("w:val")).toInt();
            } else if (inRunProperties && name == QLatin1String("w:u")) {
                run.underline = a.value(QStringLiteral("w:val")) != QLatin1String("none");
            } else if (inRun && name == QLatin1String("w:t")) {
                run.text += xml.readElementText();
            } else if (inRun && name == QLatin1String("w:tab")) {
                run.text += QLatin1Char('\t');
            } else if (inRun && name == QLatin1String("w:br") &&
                       a.value(QStringLiteral("w:type")) == QLatin1String("page")) {
                breakPending = true;
            } else if (name == QLatin1String("w:pgSz")) {
                content.pageSize = attributeMap(a);
            } else if (name == QLatin1String("w:pgMar")) {
                content.margins = attributeMap(a);
            } else if (name == QLatin1String("w:docGrid")) {
                content.grid = attributeMap(a);
            }
        } else if (xml.isEndElement()) {
            if (name == QLatin1String("w:rPr")) {
                inRunProperties = false;
            } else if (name == QLatin1String("w:r")) {
                inRun = false;
                if (!run.text.isEmpty())
                    paragraph.runs.push_back(run);
            } else if (name == QLatin1String("w:p")) {
                if (cell) {
                    for (const DocxRun &r : paragraph.runs)
                        cell->text += r.text;
                }
                content.paragraphs.push_back(paragraph);
            } else if (name == QLatin1String("w:tc")) {
                cell = nullptr;
            } else if (name == QLatin1String("w:tbl")) {
                --tableDepth;
            }
        }
    }

    for (int i = 1; i < 4; ++i) {
        const QByteArray footer = zipEntry(docxPath, QStringLiteral("word/footer%1.xml").arg(i));
        static const QRegularExpression text(QStringLiteral("<w:t(?: [^>]*)?>([^<]*)</w:t>"));
        for (const QRegularExpressionMatch &m : text.globalMatch(QString::fromUtf8(footer)))
            content.footerText += m.captured(1);
    }
    return content;
}

int pdfPages(const QString &pdfPath)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdfPath}).out);
    const QRegularExpressionMatch m = pages.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfPageSize(const QString &pdfPath)
{
    static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdfPath}).out);
    const QRegularExpressionMatch m = size.match(info);
    if (!m.hasMatch())
        return {};
    return QStringLiteral("%1x%2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble()));
}

QString pdfText(const QString &pdfPath)
{
    // Compatibility forms back to the ideographs: a PDF whose font maps one
    // glyph to both a Kangxi radical and the ideograph reads as the radical.
    return QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")}).out)
        .normalized(QString::NormalizationForm_KC);
}

} // namespace tamsel::test
