#include "registry_store.h"

#include "private_file.h"
#include "run_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLockFile>
#include <QStringList>

#include <optional>
#include <vector>

namespace tamsel {

namespace {

// The predefined keys a path may start with.
constexpr const char *RootNames[] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_CURRENT_CONFIG",
};

const QByteArray Header = "tamsel registry 1";
const QByteArray Footer = "end";

// The key path as its components, the root name first in upper case; empty
// for a path without a backslash or with an unknown root. The root is
// compared in upper case, as the registry helpers always did; empty
// components (doubled or trailing backslashes) are skipped.
QStringList resolve(const QString &keyPath)
{
    const qsizetype slash = keyPath.indexOf(QLatin1Char('\\'));
    if (slash < 0)
        return {};
    const QString root = keyPath.left(slash).toUpper();
    bool known = false;
    for (const char *name : RootNames)
        known = known || root == QLatin1String(name);
    if (!known)
        return {};
    QStringList components{root};
    components += keyPath.mid(slash + 1).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return components;
}

QString foldedName(const QString &name) { return name.toCaseFolded(); }

struct Value
{
    QString name;
    QByteArray data;
};

struct Key
{
    QString path; // components joined by "\", as first created
    std::vector<Value> values;
};

// The whole store in memory. Small: a handful of keys.
class Contents
{
public:
    enum class State { Missing, Valid, Corrupt, Unreadable };

    static Contents load(const QString &file);
    QByteArray toBytes() const;

    State state() const { return m_state; }
    const Key *findKey(const QStringList &components) const;
    // Creates the key and every missing parent.
    Key &createKey(const QStringList &components);

private:
    bool parse(const QByteArray &bytes);

    State m_state = State::Missing;
    std::vector<Key> m_keys;
};

QByteArray encodeField(const QByteArray &bytes)
{
    return bytes.toPercentEncoding("\\");
}

Contents Contents::load(const QString &file)
{
    Contents contents;
    QFile f(file);
    if (!f.exists())
        return contents;
    if (!f.open(QIODevice::ReadOnly)) {
        contents.m_state = State::Unreadable;
        return contents;
    }
    if (!contents.parse(f.readAll())) {
        contents.m_keys.clear();
        contents.m_state = State::Corrupt;
        return contents;
    }
    contents.m_state = State::Valid;
    return contents;
}

// The file: a header line, "K <path>" for each key, "V <path> <name>
// <data>" for each value, each field percent-encoded, and a footer line, so
// a cut or foreign file is recognised as such.
bool Contents::parse(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 3 || lines.first() != Header || !lines.last().isEmpty()
        || lines.at(lines.size() - 2) != Footer)
        return false;
    for (qsizetype i = 1; i < lines.size() - 2; ++i) {
        const QList<QByteArray> fields = lines.at(i).split(' ');
        if (fields.size() == 2 && fields.at(0) == "K") {
            createKey(QString::fromUtf8(QByteArray::fromPercentEncoding(fields.at(1)))
                          .split(QLatin1Char('\\')));
        } else if (fields.size() == 4 && fields.at(0) == "V") {
            const QStringList path = QString::fromUtf8(QByteArray::fromPercentEncoding(fields.at(1)))
                                         .split(QLatin1Char('\\'));
            const Key *key = findKey(path);
            if (!key)
                return false; // a value before its key
            Key &owner = createKey(path);
            owner.values.push_back({QString::fromUtf8(QByteArray::fromPercentEncoding(fields.at(2))),
                                    QByteArray::fromPercentEncoding(fields.at(3))});
        } else {
            return false;
        }
    }
    return true;
}

QByteArray Contents::toBytes() const
{
    QByteArray out = Header + '\n';
    for (const Key &key : m_keys)
        out += "K " + encodeField(key.path.toUtf8()) + '\n';
    for (const Key &key : m_keys) {
        for (const Value &value : key.values) {
            out += "V " + encodeField(key.path.toUtf8()) + ' ' + encodeField(value.name.toUtf8())
                + ' ' + encodeField(value.data) + '\n';
        }
    }
    out += Footer + '\n';
    return out;
}

const Key *Contents::findKey(const QStringList &components) const
{
    const QString wanted = foldedName(components.join(QLatin1Char('\\')));
    for (const Key &key : m_keys) {
        if (foldedName(key.path) == wanted)
            return &key;
    }
    return nullptr;
}

Key &Contents::createKey(const QStringList &components)
{
    Key *found = nullptr;
    for (qsizetype n = 1; n <= components.size(); ++n) {
        const QStringList prefix = components.mid(0, n);
        found = const_cast<Key *>(findKey(prefix));
        if (!found) {
            m_keys.push_back({prefix.join(QLatin1Char('\\')), {}});
            found = &m_keys.back();
        }
    }
    return *found;
}

const Value *findValue(const Key &key, const QString &name)
{
    for (const Value &value : key.values) {
        if (foldedName(value.name) == foldedName(name))
            return &value;
    }
    return nullptr;
}

// The first free "registry.corrupt-<n>" beside the store.
QString asideName(const QString &file)
{
    for (int n = 1;; ++n) {
        const QString name = file + QStringLiteral(".corrupt-%1").arg(n);
        if (!QFileInfo::exists(name))
            return name;
    }
}

} // namespace

RegistryStore::RegistryStore()
    : m_file(userConfigFolder() + QStringLiteral("/registry"))
{
}

RegistryStore::RegistryStore(QString storeFile)
    : m_file(std::move(storeFile))
{
}

QByteArray RegistryStore::readText(const QString &keyPath, const QString &valueName) const
{
    const QStringList components = resolve(keyPath);
    if (components.isEmpty())
        return {};
    const Contents contents = Contents::load(m_file);
    const Key *key = contents.findKey(components);
    if (!key)
        return {};
    const Value *value = findValue(*key, valueName);
    if (!value)
        return {};
    // A string stored with its terminator, or a list of strings, reads as
    // lines ended by CR LF: callers compare a prefix or strip the line ends.
    QByteArray text = value->data;
    text.replace(QByteArray(1, '\0'), QByteArrayLiteral("\r\n"));
    return text;
}

bool RegistryStore::writeText(const QString &keyPath, const QString &valueName, const QByteArray &text)
{
    const qsizetype zero = text.indexOf('\0');
    return writeRaw(keyPath, valueName, zero < 0 ? text : text.left(zero));
}

bool RegistryStore::writeRaw(const QString &keyPath, const QString &valueName, const QByteArray &data)
{
    const QStringList components = resolve(keyPath);
    if (components.isEmpty())
        return false;

    // Writers in other instances or processes must not lose each other's
    // values between reading and replacing the file.
    const QString folder = QFileInfo(m_file).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder))
            return false;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QLockFile lock(m_file + QStringLiteral(".lock"));
    if (!takeWriteLock(lock))
        return false;

    Contents contents = Contents::load(m_file);
    switch (contents.state()) {
    case Contents::State::Unreadable:
        return false; // never replace what could not even be read
    case Contents::State::Corrupt:
        // Keep the damaged file for whoever wants to recover it.
        if (!QFile::rename(m_file, asideName(m_file)))
            return false;
        break;
    case Contents::State::Missing:
    case Contents::State::Valid:
        break;
    }

    Key &key = contents.createKey(components);
    bool replaced = false;
    for (Value &value : key.values) {
        if (foldedName(value.name) == foldedName(valueName)) {
            value.data = data;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        key.values.push_back({valueName, data});
    return writePrivateFileAtomically(m_file, contents.toBytes()).ok();
}

bool RegistryStore::keyExists(const QString &keyPath) const
{
    const QStringList components = resolve(keyPath);
    return !components.isEmpty() && Contents::load(m_file).findKey(components) != nullptr;
}

} // namespace tamsel
