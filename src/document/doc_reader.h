#pragma once

#include "document_model.h"
#include "status.h"

#include <QByteArray>
#include <QString>

// What the system reads back from a Word 97–2003 document: the page setup of
// its first section and its main text. Enough to open a base document and
// to tell a document with a body from an empty one; formatting is not read.
namespace tamsel::doc {

struct DocSummary
{
    PageSetup page;   // Word's defaults (Letter) for what the section leaves out
    QString mainText; // the main document's characters, paragraph marks as "\r"
    bool hasHeaderOrFooter = false;
};

// Reads `bytes` of a .doc file; a failure names the broken part (not a
// compound file, no WordDocument stream, not a Word 97 or later file,
// encrypted, offsets outside the streams).
Result<DocSummary> readDocSummary(const QByteArray &bytes);

} // namespace tamsel::doc
