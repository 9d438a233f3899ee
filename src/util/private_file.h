#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

class QLockFile;

namespace tamsel {

// Replaces the file at `path` with `bytes`, readable and writable by the
// owner only (mode 0600) from the first byte on: written to a temporary file
// of that mode in the same folder, flushed to disk and renamed over the old
// one, so a crash leaves either the old or the new file and never exposes
// the contents to other users. Creates the folder (mode 0700) when missing.
// The failure message names the file and the reason.
Status writePrivateFileAtomically(const QString &path, const QByteArray &bytes);

// Takes `lock`, which keeps writers in other processes from losing each
// other's changes while one reads and replaces a small private file. A lock
// whose owner is gone is taken over at once; one that names no owner (its
// writer was killed as it made it) once it is older than any such write
// takes. False when a live writer keeps it past the wait.
bool takeWriteLock(QLockFile &lock);

} // namespace tamsel
