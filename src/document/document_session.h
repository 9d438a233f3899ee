#pragma once

#include "document_model.h"
#include "status.h"

#include <QString>

// The word-processor session the record, printing and blank-form commands
// drive: start, open a document, type formatted text at the insertion
// point, save or print, close, quit. Operations absorb their errors and the
// callers read no result; the last save, print and open outcome stay
// readable so a command can report a failed write instead of claiming it.
namespace tamsel::doc {

class DocumentSession
{
public:
    virtual ~DocumentSession() = default;

    // Drops any held session and starts a fresh, hidden one.
    virtual void startWord() = 0;
    // Takes the session's document set; `addDocument` opens a new empty document.
    virtual void attachDocuments(bool addDocument = false) = 0;
    // Opens `path` as the current document, insertion point at its start.
    virtual void openDocument(const QString &path) = 0;
    // False to compose or print unseen; true shows the current document to the officer.
    virtual void setVisible(bool visible) = 0;
    // Types `text` at the insertion point, which moves past it; "\r\n" ends a paragraph.
    virtual void typeText(const QString &text) = 0;
    // Bold, size in points and single underline for text typed afterwards.
    virtual void setBold(bool bold) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setUnderline(bool underline) = 0;
    // Alignment of the paragraph being typed (and of those that follow it).
    virtual void setAlignment(Alignment alignment) = 0;
    // Saves the current document under `path`; nothing without a current document.
    virtual void saveDocumentAs(const QString &path) = 0;
    // Prints the whole current document once, A4, on the default printer;
    // nothing without a current document.
    virtual void printDocument() = 0;
    // Closes the current document unsaved; nothing without one.
    virtual void closeDocument() = 0;
    // Closes everything and ends the session.
    virtual void quitWord() = 0;
    // Lets go of the document set and the current document without closing them.
    virtual void detachDocuments() = 0;
    // Lets go of the session without ending it.
    virtual void releaseWord() = 0;

    // Outcome of the last saveDocumentAs, printDocument and openDocument
    // (success before the first call).
    virtual Status lastSaveStatus() const = 0;
    virtual Status lastPrintStatus() const = 0;
    virtual Status lastOpenStatus() const = 0;
};

} // namespace tamsel::doc
