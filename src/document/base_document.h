#pragma once

#include "document_model.h"

#include <QByteArray>

// Our base document: the empty A4 page every record is composed on.
namespace tamsel::doc {

// The model: A4 portrait, margins top 2.6 cm, bottom 2.0 cm, left 2.4 cm,
// right 2.0 cm, header 1.5 cm and footer 1.75 cm from the edge, a grid of
// lines only with a pitch of 15.6 pt, an empty body and a footer line for
// writing the page number and page count by hand.
Document baseDocument();

// The .doc bytes of the base document, made by our writer at build time and
// carried in the program; always the bytes docBytes(baseDocument()) gives.
QByteArray baseDocumentBytes();

} // namespace tamsel::doc
