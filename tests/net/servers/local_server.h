#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tamsel::test {

// A server script from tests/net/servers run with /usr/bin/python3 on
// 127.0.0.1 for the life of the object. The script writes the port it
// listens on to a file; the constructor waits for it (a few seconds at most).
class LocalServer
{
public:
    LocalServer(const QString &script, const QStringList &arguments);
    ~LocalServer();

    bool started() const { return m_port > 0; }
    int port() const { return m_port; }
    // A folder of the server's own for logs and served files.
    QString folder() const { return m_dir.path(); }
    QString errors();

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

// A port on 127.0.0.1 that nobody listens on.
int closedPort();

} // namespace tamsel::test
