#pragma once

#include "ini_file.h"

#include <QString>

namespace tamsel {

class RunDirectory;

// The settings file "set.ini" of the run directory, read once per use. The
// program only reads it; officers edit it with a text editor. Values are
// compared byte for byte, so "On" is not "on".
class SettingsFile
{
public:
    SettingsFile() = default;
    explicit SettingsFile(IniFile ini) : m_ini(std::move(ini)) {}
    // A missing file reads as empty: every key gives "".
    static SettingsFile load(const RunDirectory &runDir);

    const IniFile &ini() const { return m_ini; }
    QString value(const QString &section, const QString &key) const { return m_ini.text(section, key); }

    QString caption() const { return value(QStringLiteral("biaoti"), QStringLiteral("biaoti1")); }
    QString look() const { return value(QStringLiteral("fengge"), QStringLiteral("fengge")); }
    // Anything but "0" shows the rules window, an empty or missing value too.
    bool showsRulesWindow() const { return value(QStringLiteral("pop"), QStringLiteral("tanchu")) != QLatin1String("0"); }
    QString place() const { return value(QStringLiteral("biludidian"), QStringLiteral("didian1")); }
    QString domicile() const { return value(QStringLiteral("biludidian"), QStringLiteral("didian2")); }
    bool opensPageAtExit() const { return value(QStringLiteral("close"), QStringLiteral("control")) == QLatin1String("on"); }
    QString exitPage() const { return value(QStringLiteral("close"), QStringLiteral("url")); }
    // The two lines typed at the foot of every page of the record document.
    QString closingLine1() const { return value(QStringLiteral("fenye"), QStringLiteral("hang1")); }
    QString closingLine2() const { return value(QStringLiteral("fenye"), QStringLiteral("hang2")); }

private:
    IniFile m_ini;
};

} // namespace tamsel
