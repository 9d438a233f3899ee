#include "run_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace tamsel {

RunDirectory::RunDirectory(QString path)
    : m_path(QDir(path).absolutePath())
{
}

RunDirectory RunDirectory::ofProgram()
{
    return RunDirectory(QCoreApplication::applicationDirPath());
}

QString RunDirectory::nativePath() const
{
    return QDir::toNativeSeparators(m_path);
}

QString RunDirectory::filePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

QString RunDirectory::recordFolder() const
{
    return filePath(QStringLiteral("BL"));
}

QString RunDirectory::settingsFile() const
{
    const QString wanted = QStringLiteral("set.ini");
    const QStringList entries = QDir(m_path).entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return filePath(entry);
    }
    return filePath(wanted);
}

QString userCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/tamsel");
}

QString userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/tamsel");
}

} // namespace tamsel
