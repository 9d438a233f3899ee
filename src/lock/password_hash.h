#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

// How the lock's "MIMA" value holds a password. New passwords are kept as a
// salted, slow hash (Argon2id with libsodium's interactive limits, in its
// self-describing "$argon2id$..." text form, ASCII only); older installations
// kept the password itself as plain GBK text, which is still recognised so
// their officers are not locked out.
namespace tamsel::password_hash {

// The stored form of `password`: its UTF-8 bytes hashed with a fresh random
// salt, so the same password never gives the same value twice. Fails only
// when the hash cannot be computed (out of memory); the message says so.
Result<QByteArray> hash(const QString &password);

// Whether a stored value is a hash written by hash() rather than a plain
// password of an older installation.
bool isHash(const QByteArray &stored);

// A stored value without what the registry read adds to a value kept with
// its terminator: the first CR and the first LF removed (one of each,
// wherever they are), then half-width (0x20) and full-width (GBK A1 A1)
// blanks cut from both ends, whole GBK characters at a time.
QByteArray cleaned(const QByteArray &stored);

enum class Match {
    No,
    Hash,   // a hash value, and `typed` is its password exactly as typed
    Legacy, // a plain value, and `typed` equals its cleaned text byte for byte
};

// Compares what the officer typed with the stored value, in a time that
// does not depend on where the two first differ. A hash is compared with the
// typed text exactly, blanks included; a plain value is cleaned first and
// compared with the typed text's GBK bytes (a typed text that GBK cannot
// hold matches no plain value).
Match check(const QString &typed, const QByteArray &stored);

// Overwrites the bytes in place before they are dropped, so a password does
// not linger in freed memory.
void wipe(QByteArray &secret);

} // namespace tamsel::password_hash
