#include "office_programs.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tamsel::doc {

QString OfficeSuite::name() const
{
    switch (kind) {
    case Kind::LibreOffice: return QStringLiteral("LibreOffice");
    case Kind::Wps: return QStringLiteral("WPS");
    case Kind::None: break;
    }
    return QStringLiteral("none");
}

OfficeSuite findOfficeSuite(const QStringList &searchPath)
{
    auto find = [&searchPath](const QString &program) {
        return searchPath.isEmpty() ? QStandardPaths::findExecutable(program)
                                    : QStandardPaths::findExecutable(program, searchPath);
    };
    OfficeSuite suite;
    for (const QString &program : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString path = find(program);
        if (!path.isEmpty()) {
            suite.kind = OfficeSuite::Kind::LibreOffice;
            suite.writer = suite.spreadsheet = path;
            return suite;
        }
    }
    const QString wps = find(QStringLiteral("wps"));
    if (!wps.isEmpty()) {
        suite.kind = OfficeSuite::Kind::Wps;
        suite.writer = wps;
        suite.spreadsheet = find(QStringLiteral("et"));
    }
    return suite;
}

bool showInOffice(const OfficeSuite &suite, const QString &path)
{
    if (!suite.found() || !QFileInfo::exists(path))
        return false;
    QStringList arguments;
    if (suite.kind == OfficeSuite::Kind::LibreOffice)
        arguments << QStringLiteral("--writer") << QStringLiteral("--norestore");
    arguments << path;
    return QProcess::startDetached(suite.writer, arguments);
}

bool startOfficeWriter(const OfficeSuite &suite)
{
    if (!suite.found())
        return false;
    const QStringList arguments = suite.kind == OfficeSuite::Kind::LibreOffice
                                      ? QStringList{QStringLiteral("--writer"), QStringLiteral("--norestore")}
                                      : QStringList{};
    return QProcess::startDetached(suite.writer, arguments);
}

bool startOfficeSpreadsheet(const OfficeSuite &suite)
{
    if (!suite.found() || suite.spreadsheet.isEmpty())
        return false;
    const QStringList arguments = suite.kind == OfficeSuite::Kind::LibreOffice
                                      ? QStringList{QStringLiteral("--calc"), QStringLiteral("--norestore")}
                                      : QStringList{};
    return QProcess::startDetached(suite.spreadsheet, arguments);
}

Status printWithOffice(const OfficeSuite &suite, const QString &path, int timeoutMs)
{
    if (!suite.found())
        return Status::failure(QStringLiteral("无法打印 %1：电脑没有安装办公软件").arg(path));
    if (!QFileInfo(path).isFile())
        return Status::failure(QStringLiteral("无法打印 %1：文件不存在").arg(path));
    if (suite.kind != OfficeSuite::Kind::LibreOffice)
        return Status::failure(QStringLiteral("无法打印 %1：%2 不能在后台打印，请在 %2 中打开后打印").arg(path, suite.name()));
    if (QPrinterInfo::defaultPrinter().isNull())
        return Status::failure(QStringLiteral("无法打印 %1：系统没有配置打印机").arg(path));
    QProcess process;
    process.start(suite.writer, {QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("-p"), path});
    if (!process.waitForStarted(10000))
        return Status::failure(QStringLiteral("无法打印 %1：%2 无法启动").arg(path, suite.writer));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return Status::failure(QStringLiteral("无法打印 %1：%2 没有在时限内完成").arg(path, suite.name()));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Status::failure(QStringLiteral("无法打印 %1：%2 报告错误 %3").arg(path, suite.name()).arg(process.exitCode()));
    return Status::success();
}

} // namespace tamsel::doc
