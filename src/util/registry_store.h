#pragma once

#include <QByteArray>
#include <QString>

namespace tamsel {

// String values addressed the way the Windows registry addresses them: a key
// path such as "HKEY_LOCAL_MACHINE\SOFTWARE\Velkor" (root name, backslash,
// subkey path) and a value name. On this system the values live in one
// per-user store file, "registry" in userConfigFolder(), mode 0600, replaced
// atomically on every write so a crash never leaves it half written.
//
// The rules the callers rely on:
// - the root name is one of HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
//   HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG in any letter case;
//   another root, or a path without a backslash, addresses no key;
// - subkey and value names match without regard to letter case, as the
//   registry's do, and keep the spelling they were created with;
// - value data are raw bytes (GBK text), kept exactly.
//
// The store has no state beyond its file: several instances may read and
// write the same file side by side. A store file that cannot be parsed reads
// as empty; before a write replaces it, it is kept aside as
// "registry.corrupt-<n>".
class RegistryStore
{
public:
    // The per-user store.
    RegistryStore();
    // A store in another file (tests, tools).
    explicit RegistryStore(QString storeFile);

    QString storeFile() const { return m_file; }

    // The value's data with every zero byte replaced by CR LF, so a value
    // stored with its terminating zero reads with CR LF at its end; "" when
    // the path is invalid or the key or the value does not exist. Never
    // creates anything.
    QByteArray readText(const QString &keyPath, const QString &valueName) const;

    // Stores `text` up to its first zero byte, without a terminator, as the
    // value `valueName`, creating the key and every missing parent. False
    // when the path is invalid or the store file cannot be written (nothing
    // is changed then).
    bool writeText(const QString &keyPath, const QString &valueName, const QByteArray &text);

    // Stores `data` exactly, zero bytes included: how values written by
    // installers (with a terminator, or several strings) are planted.
    bool writeRaw(const QString &keyPath, const QString &valueName, const QByteArray &data);

    // Whether the key exists (created by a write, or as a parent of one).
    bool keyExists(const QString &keyPath) const;

private:
    QString m_file;
};

} // namespace tamsel
