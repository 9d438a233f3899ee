#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace tamsel {

// An INI file held as its bytes, read and written with the rules of the
// Windows profile-string routines that the settings file and the templates
// have always been handled with:
// - section and key names match without regard to letter case;
// - leading blanks and control characters of the names asked for are skipped;
// - blanks around a value are dropped, then one pair of matching double or
//   single quotes;
// - a value is cut to MaxValueBytes (the 10,240-byte buffer of the routines,
//   less its terminator), never in the middle of a GBK character;
// - a missing file, section or key reads as the empty value;
// - lines end in CR LF or LF;
// - where a section occurs twice only the first counts, and within it the
//   first occurrence of a key.
// Writing replaces a key's line in place, appends a new key after the last
// line of its section and a new section at the end of the file; every other
// byte of the file is kept as it was.
class IniFile
{
public:
    static constexpr int MaxValueBytes = 10239;

    IniFile() = default;
    static IniFile fromBytes(const QByteArray &bytes);
    // A missing or unreadable file gives an empty IniFile.
    static IniFile load(const QString &path);

    // The value as GBK bytes; empty when the section or the key is missing.
    QByteArray value(const QString &section, const QString &key) const;
    // The value decoded from GBK.
    QString text(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;

    void setValue(const QString &section, const QString &key, const QByteArray &value);
    void setText(const QString &section, const QString &key, const QString &value);

    // The whole file as it would be written.
    QByteArray toBytes() const;

private:
    struct Line
    {
        enum class Kind { Other, Section, Key };
        QByteArray content; // without its line end
        QByteArray ending;  // "\r\n", "\n" or "" for a last line without one
        Kind kind = Kind::Other;
        QString name;       // section or key name, case-folded
    };

    static Line parseLine(QByteArray content, QByteArray ending);
    void rebuildIndex();
    int findKeyLine(const QString &section, const QString &key) const;

    std::vector<Line> m_lines;
    // First section line of each name; first key line of each name per section.
    QHash<QString, int> m_sections;
    QHash<QString, QHash<QString, int>> m_keys;
};

} // namespace tamsel
