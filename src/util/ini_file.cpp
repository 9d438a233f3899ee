#include "ini_file.h"

#include "atomic_file.h"
#include "gbk.h"

#include <QStringDecoder>

namespace tamsel {

namespace {

// The profile routines count control characters, blanks and ^Z as white space.
bool isBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x1a;
}

QByteArray trimmed(const QByteArray &bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.mid(begin, end - begin);
}

// Names asked for lose their leading blanks and control characters; names
// match without regard to case.
QString queryName(const QString &name)
{
    qsizetype begin = 0;
    while (begin < name.size() && name[begin].unicode() <= 0x20)
        ++begin;
    return name.mid(begin).trimmed().toCaseFolded();
}

QString fileName(const QByteArray &bytes)
{
    return gbk::decode(trimmed(bytes)).toCaseFolded();
}

// Cuts GBK bytes to at most `limit` bytes without splitting a two-byte
// character: a byte from 0x81 up opens a character of two bytes.
QByteArray cutGbk(const QByteArray &bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return bytes;
    qsizetype i = 0;
    while (i < limit) {
        const qsizetype width = static_cast<unsigned char>(bytes[i]) >= 0x81 ? 2 : 1;
        if (i + width > limit)
            break;
        i += width;
    }
    return bytes.left(i);
}

QByteArray unquoted(const QByteArray &value)
{
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

IniFile::Line IniFile::parseLine(QByteArray content, QByteArray ending)
{
    Line line;
    line.content = std::move(content);
    line.ending = std::move(ending);

    qsizetype start = 0;
    while (start < line.content.size() && isBlank(line.content[start]))
        ++start;
    if (start == line.content.size())
        return line;

    if (line.content[start] == '[') {
        // The section name runs to the last ']' of the line (decoded, since a
        // GBK trail byte may look like a bracket).
        const QString text = gbk::decode(line.content.mid(start + 1));
        const qsizetype close = text.lastIndexOf(u']');
        if (close >= 0) {
            line.kind = Line::Kind::Section;
            line.name = text.left(close).toCaseFolded();
        }
        return line;
    }

    const qsizetype equals = line.content.indexOf('=', start);
    line.kind = Line::Kind::Key;
    line.name = fileName(line.content.mid(start, equals < 0 ? -1 : equals - start));
    return line;
}

IniFile IniFile::fromBytes(const QByteArray &input)
{
    QByteArray bytes = input;
    // A file saved by an editor as UTF-8 with its mark reads as UTF-8, as the
    // profile routines do; everything else is GBK.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = gbk::encode(QString::fromUtf8(bytes.mid(3)));

    IniFile file;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype newline = bytes.indexOf('\n', pos);
        QByteArray content;
        QByteArray ending;
        if (newline < 0) {
            content = bytes.mid(pos);
            pos = bytes.size();
        } else {
            content = bytes.mid(pos, newline - pos);
            ending = "\n";
            pos = newline + 1;
        }
        // Only a CR before the LF belongs to the line end; a lone CR at the
        // very end stays content, so a line appended later starts afresh.
        if (!ending.isEmpty() && content.endsWith('\r')) {
            content.chop(1);
            ending.prepend('\r');
        }
        file.m_lines.push_back(parseLine(std::move(content), std::move(ending)));
    }
    file.rebuildIndex();
    return file;
}

IniFile IniFile::load(const QString &path)
{
    return fromBytes(readFileBytes(path));
}

void IniFile::rebuildIndex()
{
    m_sections.clear();
    m_keys.clear();
    QHash<QString, int> *keys = nullptr;
    for (int i = 0; i < static_cast<int>(m_lines.size()); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Line::Kind::Section) {
            if (m_sections.contains(line.name)) {
                keys = nullptr; // a repeated section is not looked at
            } else {
                m_sections.insert(line.name, i);
                keys = &m_keys[line.name];
            }
        } else if (line.kind == Line::Kind::Key && keys && !keys->contains(line.name)) {
            keys->insert(line.name, i);
        }
    }
}

int IniFile::findKeyLine(const QString &section, const QString &key) const
{
    const auto keys = m_keys.constFind(queryName(section));
    if (keys == m_keys.cend())
        return -1;
    return keys->value(queryName(key), -1);
}

bool IniFile::hasSection(const QString &section) const
{
    return m_sections.contains(queryName(section));
}

QByteArray IniFile::value(const QString &section, const QString &key) const
{
    const int index = findKeyLine(section, key);
    if (index < 0)
        return {};
    const QByteArray &content = m_lines[index].content;
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return {};
    return cutGbk(unquoted(trimmed(content.mid(equals + 1))), MaxValueBytes);
}

QString IniFile::text(const QString &section, const QString &key) const
{
    return gbk::decode(value(section, key));
}

void IniFile::setValue(const QString &section, const QString &key, const QByteArray &value)
{
    const QByteArray keyLine = gbk::encode(key) + '=' + value;
    const int existing = findKeyLine(section, key);
    if (existing >= 0) {
        Line &line = m_lines[existing];
        line.content = keyLine;
        if (line.ending.isEmpty())
            line.ending = "\r\n";
        return;
    }

    const auto sectionLine = m_sections.constFind(queryName(section));
    if (sectionLine == m_sections.cend()) {
        if (!m_lines.empty() && m_lines.back().ending.isEmpty())
            m_lines.back().ending = "\r\n";
        m_lines.push_back(parseLine('[' + gbk::encode(section) + ']', "\r\n"));
        m_lines.push_back(parseLine(keyLine, "\r\n"));
    } else {
        // After the last line of the section that holds anything.
        int insertAt = *sectionLine + 1;
        for (int i = insertAt; i < static_cast<int>(m_lines.size()); ++i) {
            if (m_lines[i].kind == Line::Kind::Section)
                break;
            if (!trimmed(m_lines[i].content).isEmpty())
                insertAt = i + 1;
        }
        if (m_lines[insertAt - 1].ending.isEmpty())
            m_lines[insertAt - 1].ending = "\r\n";
        m_lines.insert(m_lines.begin() + insertAt, parseLine(keyLine, "\r\n"));
    }
    rebuildIndex();
}

void IniFile::setText(const QString &section, const QString &key, const QString &value)
{
    setValue(section, key, gbk::encode(value));
}

QByteArray IniFile::toBytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.content + line.ending;
    return bytes;
}

} // namespace tamsel
