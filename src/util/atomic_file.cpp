#include "atomic_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tamsel {

namespace {

QString failureText(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("tamsel", "无法写入文件 %1：%2")
        .arg(QFileInfo(path).absoluteFilePath(), reason);
}

} // namespace

Status writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write that the disk cuts short is flushed only
    // at commit, where Qt does not notice it and renames a truncated file
    // over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Status::failure(failureText(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        const QString reason = file.errorString().isEmpty() || file.error() == QFileDevice::NoError
            ? QCoreApplication::translate("tamsel", "磁盘已满或文件过大")
            : file.errorString();
        file.cancelWriting();
        return Status::failure(failureText(path, reason));
    }
    if (!file.commit())
        return Status::failure(failureText(path, file.errorString()));
    return Status::success();
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

Status makeFolder(const QString &folder)
{
    if (QDir().mkpath(folder))
        return Status::success();
    return Status::failure(QStringLiteral("无法建立文件夹 %1。").arg(QDir::toNativeSeparators(folder)));
}

} // namespace tamsel
