#include "update_check.h"

#include "atomic_file.h"
#include "ini_file.h"
#include "prompter.h"
#include "run_directory.h"

#include <QDir>

namespace tamsel {

QString updateServer(const RunDirectory &runDirectory)
{
    const QString configured =
        IniFile::load(runDirectory.settingsFile()).text(QStringLiteral("gengxin"), QStringLiteral("server"));
    return configured.isEmpty() ? QString::fromLatin1(DefaultUpdateServer) : configured;
}

QString updateFileCopy()
{
    return userCacheFolder() + QStringLiteral("/soft.ini");
}

UpdateAnswer checkForUpdate(Prompter &prompter, const RunDirectory &runDirectory, const QString &server,
                            const FetchLimits &limits)
{
    const QString site = QStringLiteral("http://") + (server.isEmpty() ? updateServer(runDirectory) : server);
    const QByteArray body = fetchText(site + QStringLiteral("/soft.ini"), limits);

    // The answer is read back from the local copy, so a copy that cannot be
    // written leaves the one from an earlier check in force.
    QDir().mkpath(userCacheFolder());
    writeFileAtomically(updateFileCopy(), body);
    const QByteArray flag = IniFile::load(updateFileCopy()).value(QStringLiteral("set"), QStringLiteral("gengxin"));

    UpdateAnswer answer;
    answer.answered = !body.isEmpty();
    answer.newVersion = flag == "1";
    answer.message = answer.newVersion
        ? QStringLiteral("软件有新版本！ 请到 ") + site + QStringLiteral(" 下载新版本使用。。。")
        : QStringLiteral("软件暂时没有新版本用于更新！");
    prompter.message(answer.message, QStringLiteral("提 示："), Prompter::Buttons::Ok);
    return answer;
}

} // namespace tamsel
