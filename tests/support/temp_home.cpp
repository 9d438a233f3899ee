#include "temp_home.h"

#include "atomic_file.h"
#include "gbk.h"

#include <QDir>
#include <QStandardPaths>

#include <cstdlib>

namespace tamsel::test {

namespace {

void setEnv(const char *name, const QByteArray &value)
{
    if (value.isNull())
        unsetenv(name);
    else
        setenv(name, value.constData(), 1);
}

} // namespace

TempHome::TempHome()
    : m_oldHome(qgetenv("HOME")), m_oldConfig(qgetenv("XDG_CONFIG_HOME")),
      m_oldCache(qgetenv("XDG_CACHE_HOME"))
{
    const QByteArray root = QFile::encodeName(m_dir.path());
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QDir(m_dir.path()).mkpath(QStringLiteral("cache"));
    QDir(m_dir.path()).mkpath(QStringLiteral("Desktop"));
    setEnv("HOME", root);
    setEnv("XDG_CONFIG_HOME", root + "/config");
    setEnv("XDG_CACHE_HOME", root + "/cache");
}

TempHome::~TempHome()
{
    setEnv("HOME", m_oldHome);
    setEnv("XDG_CONFIG_HOME", m_oldConfig);
    setEnv("XDG_CACHE_HOME", m_oldCache);
}

QString TempHome::makeRunDir(const QString &name) const
{
    QDir(m_dir.path()).mkpath(name);
    return QDir(m_dir.path()).filePath(name);
}

void writeGbkFile(const QString &path, const QString &text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    (void)writeFileAtomically(path, gbk::encode(crlf));
}

} // namespace tamsel::test
