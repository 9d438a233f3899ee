#include "recording_document_session.h"

namespace tamsel::doc {

namespace {

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

QString RecordingDocumentSession::typedText() const { return m_typed.join(QString()); }

void RecordingDocumentSession::startWord()
{
    m_calls << QStringLiteral("StartWord");
    if (m_forward)
        m_forward->startWord();
}

void RecordingDocumentSession::attachDocuments(bool addDocument)
{
    m_calls << QStringLiteral("AttachDocuments(%1)").arg(flag(addDocument));
    if (m_forward)
        m_forward->attachDocuments(addDocument);
}

void RecordingDocumentSession::openDocument(const QString &path)
{
    m_calls << QStringLiteral("OpenDocument(%1)").arg(path);
    if (m_forward)
        m_forward->openDocument(path);
}

void RecordingDocumentSession::setVisible(bool visible)
{
    m_calls << QStringLiteral("SetVisible(%1)").arg(flag(visible));
    if (m_forward)
        m_forward->setVisible(visible);
}

void RecordingDocumentSession::typeText(const QString &text)
{
    m_calls << QStringLiteral("TypeText(%1)").arg(text);
    m_typed << text;
    if (m_forward)
        m_forward->typeText(text);
}

void RecordingDocumentSession::setBold(bool bold)
{
    m_calls << QStringLiteral("SetBold(%1)").arg(flag(bold));
    if (m_forward)
        m_forward->setBold(bold);
}

void RecordingDocumentSession::setFontSize(double points)
{
    m_calls << QStringLiteral("SetFontSize(%1)").arg(points);
    if (m_forward)
        m_forward->setFontSize(points);
}

void RecordingDocumentSession::setUnderline(bool underline)
{
    m_calls << QStringLiteral("SetUnderline(%1)").arg(flag(underline));
    if (m_forward)
        m_forward->setUnderline(underline);
}

void RecordingDocumentSession::setAlignment(Alignment alignment)
{
    const int value = alignment == Alignment::Center ? 1 : alignment == Alignment::Right ? 2 : 0;
    m_calls << QStringLiteral("SetAlignment(%1)").arg(value);
    if (m_forward)
        m_forward->setAlignment(alignment);
}

void RecordingDocumentSession::saveDocumentAs(const QString &path)
{
    m_calls << QStringLiteral("SaveDocumentAs(%1)").arg(path);
    if (m_forward)
        m_forward->saveDocumentAs(path);
}

void RecordingDocumentSession::printDocument()
{
    m_calls << QStringLiteral("PrintDocument");
    if (m_forward)
        m_forward->printDocument();
}

void RecordingDocumentSession::closeDocument()
{
    m_calls << QStringLiteral("CloseDocument");
    if (m_forward)
        m_forward->closeDocument();
}

void RecordingDocumentSession::quitWord()
{
    m_calls << QStringLiteral("QuitWord");
    if (m_forward)
        m_forward->quitWord();
}

void RecordingDocumentSession::detachDocuments()
{
    m_calls << QStringLiteral("DetachDocuments");
    if (m_forward)
        m_forward->detachDocuments();
}

void RecordingDocumentSession::releaseWord()
{
    m_calls << QStringLiteral("ReleaseWord");
    if (m_forward)
        m_forward->releaseWord();
}

} // namespace tamsel::doc
