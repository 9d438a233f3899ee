#pragma once

#include <QString>

namespace tamsel {

// The folder of the program file, which holds the settings file, the help
// files and the record folder "BL".
class RunDirectory
{
public:
    explicit RunDirectory(QString path);
    // The folder of the running executable.
    static RunDirectory ofProgram();

    QString path() const { return m_path; }
    // Native form for messages that show the folder to the officer.
    QString nativePath() const;
    QString filePath(const QString &name) const;
    QString recordFolder() const;
    // "set.ini", found without regard to the letter case of its name, as the
    // settings file has always been named both "Set.ini" and "set.ini".
    QString settingsFile() const;

private:
    QString m_path;
};

// The per-user folders that stand in for the fixed system folder of the
// carried files, and for the registry.
QString userCacheFolder();
QString userConfigFolder();

} // namespace tamsel
