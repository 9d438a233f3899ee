#include "native_document_session.h"

#include "atomic_file.h"
#include "base_document.h"
#include "doc_reader.h"
#include "doc_writer.h"
#include "gbk.h"
#include "office_programs.h"
#include "page_renderer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace tamsel::doc {

namespace {

NativeDocumentSession::Services defaultServices()
{
    NativeDocumentSession::Services services;
    services.print = printOnDefaultPrinter;
    services.printFile = [](const QString &path) { return printWithOffice(findOfficeSuite(), path); };
    services.show = [](const QString &path) { return showInOffice(findOfficeSuite(), path); };
    return services;
}

bool isCompoundFile(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1"));
}

} // namespace

NativeDocumentSession::NativeDocumentSession() : NativeDocumentSession(defaultServices()) {}

NativeDocumentSession::NativeDocumentSession(Services services) : m_services(std::move(services)) {}

void NativeDocumentSession::resetFormatting()
{
    m_format = RunFormat();
    m_alignment = Alignment::Left;
}

void NativeDocumentSession::startWord()
{
    m_open.reset();
    m_attached = false;
    m_visible = false;
    m_running = true;
    resetFormatting();
}

void NativeDocumentSession::attachDocuments(bool addDocument)
{
    if (!m_running)
        return;
    m_attached = true;
    if (addDocument) {
        m_open = Open();
        resetFormatting();
    }
}

void NativeDocumentSession::openDocument(const QString &path)
{
    if (!m_running || !m_attached) {
        m_lastOpen = Status::failure(QStringLiteral("无法打开 %1：文档程序没有启动").arg(path));
        return;
    }
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        m_lastOpen = Status::failure(QStringLiteral("无法打开 %1：文件不存在").arg(path));
        return;
    }
    const QByteArray bytes = readFileBytes(path);
    Open open;
    open.path = path;
    if (bytes == baseDocumentBytes()) {
        open.document = baseDocument();
        // Typing starts in the base document's one empty paragraph, the
        // title's place, and takes its look; the paragraphs typed after it
        // are plain ones.
        if (open.document.body.size() == 1) {
            if (const auto *place = std::get_if<Paragraph>(&open.document.body.front()); place && place->runs.empty()) {
                open.typing = *place;
                open.document.body.clear();
            }
        }
    } else if (isCompoundFile(bytes)) {
        Result<DocSummary> summary = readDocSummary(bytes);
        if (!summary) {
            m_lastOpen = Status::failure(QStringLiteral("无法打开 %1：%2").arg(path, summary.message()));
            return;
        }
        open.document.page = summary.value().page;
        // An empty document is ours to type into; anything else stays as its
        // bytes, to be saved or printed unchanged.
        const QString text = summary.value().mainText;
        if (!(text.isEmpty() || text == QLatin1String("\r")) || summary.value().hasHeaderOrFooter)
            open.foreign = bytes;
    } else {
        open.document = textDocument(gbk::decode(bytes));
    }
    m_open = std::move(open);
    m_lastOpen = Status::success();
    resetFormatting();
}

void NativeDocumentSession::setVisible(bool visible)
{
    m_visible = visible;
    if (!visible || !m_open || !m_services.show)
        return;
    if (!m_open->changed) {
        m_services.show(m_open->path);
        return;
    }
    // What was typed is shown from a copy; the file itself is not touched.
    const std::optional<Document> document = currentDocument();
    if (!document)
        return;
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/tamsel-XXXXXX.doc"));
    copy.setAutoRemove(false);
    if (copy.open() && writeDoc(*document, copy.fileName()).ok())
        m_services.show(copy.fileName());
}

void NativeDocumentSession::typeText(const QString &text)
{
    if (!m_open || m_open->foreign || text.isEmpty())
        return;
    Open &open = *m_open;
    open.changed = true;
    auto append = [&](const QString &piece) {
        if (piece.isEmpty())
            return;
        if (!open.typing.runs.empty() && open.typing.runs.back().format == m_format)
            open.typing.runs.back().text += piece;
        else
            open.typing.runs.push_back({piece, m_format});
    };
    QString piece;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            piece += c;
            continue;
        }
        // "\r\n", a lone "\r" or a lone "\n" ends the paragraph.
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        append(piece);
        piece.clear();
        open.typing.alignment = m_alignment;
        open.typing.markFormat = m_format;
        open.document.body.insert(open.document.body.begin() + std::ptrdiff_t(open.insertAt++), open.typing);
        open.typing = Paragraph();
        open.typing.alignment = m_alignment;
    }
    append(piece);
}

void NativeDocumentSession::setBold(bool bold) { m_format.bold = bold; }

void NativeDocumentSession::setFontSize(double points)
{
    if (points > 0)
        m_format.sizePt = points;
}

void NativeDocumentSession::setUnderline(bool underline) { m_format.underline = underline; }

void NativeDocumentSession::setAlignment(Alignment alignment)
{
    m_alignment = alignment;
    if (m_open)
        m_open->typing.alignment = alignment;
}

std::optional<Document> NativeDocumentSession::currentDocument() const
{
    if (!m_open || m_open->foreign)
        return std::nullopt;
    Document document = m_open->document;
    Paragraph typing = m_open->typing;
    typing.markFormat = m_format;
    // The paragraph at the insertion point joins the one after it, as typed
    // text does in front of existing text; at the end it is the last paragraph.
    auto next = document.body.begin() + std::ptrdiff_t(m_open->insertAt);
    Paragraph *following = next != document.body.end() ? std::get_if<Paragraph>(&*next) : nullptr;
    if (following && (m_open->insertAt > 0 || !typing.runs.empty())) {
        following->runs.insert(following->runs.begin(), typing.runs.begin(), typing.runs.end());
        following->alignment = typing.alignment;
    } else if (next == document.body.end() || !typing.runs.empty()) {
        document.body.insert(next, typing);
    }
    return document;
}

void NativeDocumentSession::saveDocumentAs(const QString &path)
{
    if (!m_open) {
        m_lastSave = Status::failure(QStringLiteral("没有保存 %1：没有打开的文档").arg(path));
        return;
    }
    if (m_open->foreign) {
        m_lastSave = writeFileAtomically(path, *m_open->foreign);
    } else {
        m_lastSave = writeDoc(*currentDocument(), path);
    }
    if (m_lastSave.ok())
        m_open->path = path;
}

void NativeDocumentSession::printDocument()
{
    if (!m_open) {
        m_lastPrint = Status::failure(QStringLiteral("没有打印：没有打开的文档"));
        return;
    }
    if (m_open->foreign) {
        m_lastPrint = m_services.printFile ? m_services.printFile(m_open->path)
                                           : Status::failure(QStringLiteral("无法打印 %1").arg(m_open->path));
        return;
    }
    m_lastPrint = m_services.print ? m_services.print(*currentDocument())
                                   : Status::failure(QStringLiteral("无法打印：没有打印机"));
}

void NativeDocumentSession::closeDocument() { m_open.reset(); }

void NativeDocumentSession::quitWord()
{
    m_open.reset();
    m_attached = false;
    m_running = false;
    m_visible = false;
}

void NativeDocumentSession::detachDocuments()
{
    m_open.reset();
    m_attached = false;
}

void NativeDocumentSession::releaseWord()
{
    m_open.reset();
    m_attached = false;
    m_running = false;
}

} // namespace tamsel::doc
