#include "start_up.h"

#include "atomic_file.h"
#include "carried_text.h"
#include "clock.h"
#include "date_time_text.h"
#include "form.h"
#include "gbk.h"
#include "phrase_library.h"
#include "record_fields.h"
#include "run_directory.h"
#include "settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tamsel {

namespace {

struct ToolTip
{
    const char16_t *control;
    const char16_t *text;
};

// In the order they are added; the banner's follows from the carried text.
constexpr ToolTip ToolTips[] = {
    {u"按钮3", u"关闭文件界面."},
    {u"按钮2", u"返回笔录第一窗口界面."},
    {u"按钮1", u"返回笔录第二窗口界面."},
    {u"按钮5", u"对于案件内情及详细情况的备注记录，用于以后读档查询案件前因后果。备注不参与打印，只保存在对应案件的模板中。"},
    {u"按钮录音", u"开始进行录音..."},
    {u"按钮继续", u"继续进行录音..."},
    {u"按钮暂停", u"暂时停止录音..."},
    {u"按钮播放", u"播放音频文件..."},
    {u"暂停", u"停止播放音频文件..."},
    {u"编辑框23", u"输入要上传或下载的笔录文件的名称，不用输入扩展名..."},
    {u"编辑框20", u"输入FTP服务器的ip地址，比如 xxx.xxx.xxx.xxx"},
    {u"编辑框21", u"添写登陆FTP服务器的帐号"},
    {u"编辑框22", u"添写登陆FTP服务器的密码"},
};

QString conductText()
{
    QString text = gbk::decode(carriedText(QStringLiteral("conduct.txt")));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

QString versionText()
{
    return QStringLiteral(" 程 序 版 本 V 2.3");
}

void fillStartTime(Form &form, const Clock &clock)
{
    const QDateTime now = clock.now();
    form.setText(recordField(QStringLiteral("StartYear")).control, QString::number(now.date().year()));
    form.setText(recordField(QStringLiteral("StartMonth")).control, QString::number(now.date().month()));
    form.setText(recordField(QStringLiteral("StartDay")).control, QString::number(now.date().day()));
    form.setText(recordField(QStringLiteral("StartHour")).control, QString::number(now.time().hour()));
    form.setText(recordField(QStringLiteral("StartMinute")).control, QString::number(now.time().minute()));
}

QString statusLine(const QString &statusMessage, const QDateTime &now)
{
    return statusMessage + QStringLiteral("              当前日期： ") + dateText(now.date())
        + QStringLiteral("    ") + timeText(now.time());
}

void createDesktopLauncher(const QString &program)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QDir(desktop).exists())
        return;
    const QString launcher = QStringLiteral("[Desktop Entry]\nType=Application\nName=Tamsel\n"
                                            "Name[zh_CN]=劳动保障监察询问笔录\nExec=\"%1\"\n"
                                            "Path=%2\nTerminal=false\n")
                                 .arg(program, QFileInfo(program).absolutePath());
    const QString path = QDir(desktop).filePath(QStringLiteral("Tamsel.desktop"));
    if (writeFileAtomically(path, launcher.toUtf8()))
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

void runStartUpSequence(Form &form, StartUpHost &host, const Clock &clock, const RunDirectory &runDir,
                int &lineCounter)
{
    host.checkLock();

    form.setText(scratch::StatusMessage, versionText());
    form.setStatusText(versionText());

    createDesktopLauncher(QCoreApplication::applicationFilePath());

    for (const ToolTip &tip : ToolTips)
        form.setToolTip(QString::fromUtf16(tip.control), QString::fromUtf16(tip.text));
    form.setToolTip(QStringLiteral("图片框1"), conductText());

    const SettingsFile settings = SettingsFile::load(runDir);
    if (const QString caption = settings.caption(); !caption.isEmpty())
        form.setCaption(u' ' + caption);

    const QString look = settings.look();
    for (int value = 1; value <= 4; ++value) {
        if (look == QString::number(value))
            host.applyLook(value);
    }

    if (settings.showsRulesWindow())
        host.showRulesWindow();

    fillStartTime(form, clock);
    form.selectItem(recordField(QStringLiteral("Sex")).control, 0);
    lineCounter = 0;
    form.setText(recordField(QStringLiteral("Place")).control, settings.place());
    form.setText(recordField(QStringLiteral("Domicile")).control, settings.domicile());
    loadPhraseLibrary(form, settings.ini());
}

} // namespace tamsel
