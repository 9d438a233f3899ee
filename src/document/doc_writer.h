#pragma once

#include "document_model.h"
#include "status.h"

#include <QByteArray>
#include <QString>

// The Word 97–2003 binary document (.doc) writer: the model becomes an OLE
// compound file with the "WordDocument" and "1Table" streams, text stored as
// UTF-16, one section carrying the page setup and the line grid, a footer
// story and simple tables.
namespace tamsel::doc {

// Widest table row the writer takes (cells after merging): a row's cell
// definitions must fit in one paragraph property page.
constexpr int kMaxCellsPerRow = 16;

// The .doc bytes of `document`; the same model always gives the same bytes.
// Empty when the document cannot be written (a row wider than
// kMaxCellsPerRow cells or without cells).
QByteArray docBytes(const Document &document);

// Writes `document` to `path` atomically (an existing file survives every
// failure); the failure message names the file and the cause.
Status writeDoc(const Document &document, const QString &path);

} // namespace tamsel::doc
