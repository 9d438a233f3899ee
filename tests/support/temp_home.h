#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tamsel::test {

// Points HOME, XDG_CONFIG_HOME and XDG_CACHE_HOME at a fresh temporary
// folder for the life of the object, so tests never touch the user's files.
class TempHome
{
public:
    TempHome();
    ~TempHome();
    QString path() const { return m_dir.path(); }
    // A run directory inside the temporary folder, created empty.
    QString makeRunDir(const QString &name = QStringLiteral("run")) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome, m_oldConfig, m_oldCache;
};

// Writes UTF-8 `text` as GBK with CR LF line ends (how officers' files look).
void writeGbkFile(const QString &path, const QString &text);

} // namespace tamsel::test
