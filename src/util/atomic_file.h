#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

namespace tamsel {

// Replaces the file at `path` with `bytes`: written to a temporary file in the
// same folder, flushed to disk and renamed over the old one, so a crash or a
// full disk never leaves a half-written file and the old file survives every
// failure. The failure message names the file and the reason.
Status writeFileAtomically(const QString &path, const QByteArray &bytes);

// Makes `folder` and the folders above it when missing; the failure names it.
Status makeFolder(const QString &folder);

// Reads a whole file; a missing or unreadable file gives an empty array.
QByteArray readFileBytes(const QString &path);

} // namespace tamsel
