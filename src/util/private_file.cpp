#include "private_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamsel {

namespace {

Status failure(const QString &path, int error)
{
    return Status::failure(QStringLiteral("无法写入文件 %1：%2")
                               .arg(QFileInfo(path).absoluteFilePath(),
                                    QString::fromLocal8Bit(std::strerror(error))));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

Status writePrivateFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder))
            return failure(path, errno ? errno : ENOENT);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // mkstemp creates the file with mode 0600, so the data are never
    // readable by others, not even for a moment.
    QByteArray temp = QFile::encodeName(folder + QStringLiteral("/.") + info.fileName()
                                        + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return failure(path, errno);

    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.constData());
        return failure(path, error);
    }
    if (::close(fd) != 0 || ::rename(temp.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        return failure(path, error);
    }
    // Make the rename itself durable.
    const int dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return Status::success();
}

bool takeWriteLock(QLockFile &lock)
{
    lock.setStaleLockTime(2000);
    return lock.tryLock(5000);
}

} // namespace tamsel
