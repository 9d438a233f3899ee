#pragma once

#include "document_session.h"

#include <QByteArray>

#include <functional>
#include <optional>

// Our own engine behind DocumentSession: documents are models in memory,
// saved through the .doc writer and printed through the page renderer; no
// office program is needed. Each operation runs synchronously.
namespace tamsel::doc {

class NativeDocumentSession final : public DocumentSession
{
public:
    // The outside effects, replaceable in tests.
    struct Services
    {
        std::function<Status(const Document &)> print;        // default: the default printer
        std::function<Status(const QString &path)> printFile; // a .doc we do not edit: the office suite
        std::function<bool(const QString &path)> show;        // SetVisible(true): the office suite
    };

    NativeDocumentSession();
    explicit NativeDocumentSession(Services services);

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
    Status lastSaveStatus() const override { return m_lastSave; }
    Status lastPrintStatus() const override { return m_lastPrint; }
    Status lastOpenStatus() const override { return m_lastOpen; }

    // The current document as it would be saved now; nullopt without one or
    // when it is a .doc of another writer that is kept as its bytes.
    std::optional<Document> currentDocument() const;
    bool isVisible() const { return m_visible; }

private:
    struct Open
    {
        QString path;
        Document document;             // body typed so far, then what the file held
        std::size_t insertAt = 0;      // where finished typed paragraphs go
        Paragraph typing;              // the paragraph at the insertion point
        std::optional<QByteArray> foreign; // a .doc we cannot edit: kept as it is
        bool changed = false;
    };

    void resetFormatting();

    Services m_services;
    bool m_running = false;
    bool m_attached = false;
    bool m_visible = false;
    std::optional<Open> m_open;
    RunFormat m_format;
    Alignment m_alignment = Alignment::Left;
    Status m_lastSave = Status::success();
    Status m_lastPrint = Status::success();
    Status m_lastOpen = Status::success();
};

} // namespace tamsel::doc
