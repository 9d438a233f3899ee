#include "local_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tamsel::test {

LocalServer::LocalServer(const QString &script, const QStringList &arguments)
{
    const QString portFile = m_dir.filePath(QStringLiteral("port"));
    QStringList all{QStringLiteral(TAMSEL_SOURCE_DIR "/tests/net/servers/") + script,
                    QStringLiteral("--port-file"), portFile};
    all += arguments;
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments(all);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return;
    QDeadlineTimer deadline(8000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        QFile file(portFile);
        if (file.open(QIODevice::ReadOnly)) {
            m_port = file.readAll().trimmed().toInt();
            return;
        }
        QThread::msleep(20);
    }
}

LocalServer::~LocalServer()
{
    m_process.kill();
    m_process.waitForFinished(3000);
}

QString LocalServer::errors()
{
    return QString::fromUtf8(m_process.readAllStandardError());
}

int closedPort()
{
    // Bound and closed again: free, and nobody listens on it.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

} // namespace tamsel::test
