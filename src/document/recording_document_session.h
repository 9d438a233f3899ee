#pragma once

#include "document_session.h"

#include <QStringList>

// A DocumentSession that writes down every call in order, as the commands'
// tests and the command-line companion need; it can pass each call on to
// another session (so a test both checks the calls and gets the document).
namespace tamsel::doc {

class RecordingDocumentSession final : public DocumentSession
{
public:
    // `forward` (not owned, may be null) receives every call after it is logged.
    explicit RecordingDocumentSession(DocumentSession *forward = nullptr) : m_forward(forward) {}

    // The calls so far, one entry each, written as
    // "StartWord", "AttachDocuments(0)", "OpenDocument(<path>)", "SetVisible(0)",
    // "TypeText(<text>)", "SetBold(1)", "SetFontSize(22)", "SetUnderline(1)",
    // "SetAlignment(1)" (0 left, 1 centred, 2 right), "SaveDocumentAs(<path>)",
    // "PrintDocument", "CloseDocument", "QuitWord", "DetachDocuments", "ReleaseWord".
    const QStringList &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }
    // Everything typed, in order (the TypeText arguments joined).
    QString typedText() const;

    // Without a forward session, the statuses these report.
    void setSaveStatus(Status status) { m_save = std::move(status); }
    void setPrintStatus(Status status) { m_print = std::move(status); }

    void startWord() override;
    void attachDocuments(bool addDocument = false) override;
    void openDocument(const QString &path) override;
    void setVisible(bool visible) override;
    void typeText(const QString &text) override;
    void setBold(bool bold) override;
    void setFontSize(double points) override;
    void setUnderline(bool underline) override;
    void setAlignment(Alignment alignment) override;
    void saveDocumentAs(const QString &path) override;
    void printDocument() override;
    void closeDocument() override;
    void quitWord() override;
    void detachDocuments() override;
    void releaseWord() override;
    Status lastSaveStatus() const override { return m_forward ? m_forward->lastSaveStatus() : m_save; }
    Status lastPrintStatus() const override { return m_forward ? m_forward->lastPrintStatus() : m_print; }
    Status lastOpenStatus() const override { return m_forward ? m_forward->lastOpenStatus() : Status::success(); }

private:
    DocumentSession *m_forward;
    QStringList m_calls;
    QStringList m_typed;
    Status m_save = Status::success();
    Status m_print = Status::success();
};

} // namespace tamsel::doc
