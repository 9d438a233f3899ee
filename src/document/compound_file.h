#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The OLE compound file (structured storage) that holds a Word 97–2003
// document: a small FAT file system of 512-byte sectors inside one file.
namespace tamsel::doc {

struct CompoundStream
{
    QString name; // at most 31 UTF-16 units
    QByteArray data;
};

// A version 3 compound file holding `streams` in its root storage, the root
// marked with the Word document class. Every stream must be at least 4096
// bytes long (the writer keeps no mini stream); the same streams always give
// the same bytes (no times, zero padding).
QByteArray compoundFile(const std::vector<CompoundStream> &streams, bool wordDocumentClass = true);

// The stream `name` of the root storage of the compound file `file`, read
// through the FAT (or the mini stream for small streams); a failure when the
// bytes are not a compound file, the stream is missing or a chain is broken.
Result<QByteArray> compoundStream(const QByteArray &file, const QString &name);

} // namespace tamsel::doc
