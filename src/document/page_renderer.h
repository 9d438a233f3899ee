#pragma once

#include "document_model.h"
#include "status.h"

#include <QString>

class QPaintDevice;
class QPainter;

// Lays the model out on pages the way the line grid does (every line takes
// a whole number of grid lines, so a 14 pt line takes two of 15.6 pt) and
// paints the pages: to PDF, or to the default printer. Needs a
// QGuiApplication (fonts).
namespace tamsel::doc {

// Number of pages the document is laid out on (at least 1).
int pageCount(const Document &document);

// Writes the document as a PDF file of its page size, replacing `pdfPath`
// atomically; the failure message names the file and the cause.
Status renderPdf(const Document &document, const QString &pdfPath);

// Prints the whole document once on the system's default printer, on the
// document's paper (A4 for ours) with its margins. A failure when there is
// no printer or the print job cannot be started; success means the job was
// handed to the print system.
Status printOnDefaultPrinter(const Document &document);

// A document of the lines of `text` (paragraph per line, 10.5 pt 宋体, A4
// with Word's usual margins), for printing the plain texts of the viewer.
Document textDocument(const QString &text);

} // namespace tamsel::doc
