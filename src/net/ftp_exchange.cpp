#include "ftp_exchange.h"

#include "background_task.h"
#include "form.h"
#include "gbk.h"
#include "prompter.h"
#include "record_fields.h"
#include "run_directory.h"

#include <QDir>
#include <QRect>

namespace tamsel {

namespace {

const QString Panel = QStringLiteral("分组框7");
const QString Extension = QStringLiteral(".ini");

// Why a typed template name cannot become a file name; empty when it can.
QString nameProblem(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("不能含有路径分隔符“/”或“\\”");
    if (name.contains(QStringLiteral("..")))
        return QStringLiteral("不能含有“..”");
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("不能含有控制字符");
    }
    if (gbk::decode(gbk::encode(name)) != name)
        return QStringLiteral("含有不能用 GBK 编码表示的字符");
    return {};
}

void movePanel(Form &form, int left)
{
    QRect geometry = form.geometry(Panel);
    if (geometry.isEmpty())
        geometry.setSize(QSize(271, 65));
    geometry.moveTo(left, 0);
    form.setGeometry(Panel, geometry);
}

} // namespace

const QString FtpExchange::NotConnectedStatus = QStringLiteral("服务器帐号密码不对..");
const QString FtpExchange::UploadDoneStatus = QStringLiteral("笔录模板文件.ini上传FTP服务器成功.");
const QString FtpExchange::UploadFailedStatus = QStringLiteral("笔录上传失败.");
const QString FtpExchange::DownloadDoneStatus = QStringLiteral("笔录模板.ini文件下载到 笔录软件的BL目录成功.");
const QString FtpExchange::DownloadFailedStatus = QStringLiteral("笔录下载失败.");

FtpExchange::FtpExchange(Form &form, Prompter &prompter, const RunDirectory &runDirectory,
                         BackgroundTask &task, FtpLimits limits)
    : m_form(form), m_prompter(prompter), m_runDirectory(runDirectory), m_task(task), m_limits(limits)
{
}

void FtpExchange::openPanel()
{
    movePanel(m_form, 1);
    m_form.setVisible(Panel, true);
}

void FtpExchange::closePanel()
{
    movePanel(m_form, 0);
    m_form.setVisible(Panel, false);
}

bool FtpExchange::fieldsFilled()
{
    // Taken as typed: a field of blanks counts as filled.
    for (const QString &field : {ServerField, UserField, PasswordField, NameField}) {
        if (m_form.text(field).isEmpty()) {
            m_prompter.message(QStringLiteral("FTP服务器配置没有添写！"),
                               QStringLiteral("请完善FTP服务器配置才可以上传下载："), Prompter::Buttons::Ok);
            return false;
        }
    }
    return true;
}

bool FtpExchange::nameIsSafe()
{
    // The name becomes a file in the record folder and on the server; it
    // must stay a plain name there.
    const QString name = m_form.text(NameField);
    const QString problem = nameProblem(name);
    if (problem.isEmpty())
        return true;
    m_prompter.message(QStringLiteral("文件名“%1”%2，请改正后再上传或下载。").arg(name, problem),
                       QStringLiteral("提 示："), Prompter::Buttons::Ok);
    return false;
}

FtpAccount FtpExchange::account() const
{
    return {m_form.text(ServerField), m_form.text(UserField), m_form.text(PasswordField)};
}

bool FtpExchange::upload()
{
    if (!fieldsFilled() || !nameIsSafe())
        return false;
    const QString path = m_prompter.browseForFile(QStringLiteral(" "));
    m_form.setText(scratch::UploadFile, path);
    // The only test of the choice: "ini" in lower case anywhere in the path.
    if (path.isEmpty() || !path.contains(QStringLiteral("ini"))) {
        m_prompter.message(QStringLiteral("请选择笔录模板文件.ini上传"), QStringLiteral("提示："),
                           Prompter::Buttons::Ok);
        return false;
    }

    const FtpAccount account = this->account();
    const QByteArray remoteName = gbk::encode(m_form.text(NameField) + Extension);
    const FtpLimits limits = m_limits;
    FtpOutcome outcome = FtpOutcome::NotConnected;
    m_task.run(QStringLiteral("正在上传笔录模板……"), [&](TaskControl &control) {
        outcome = ftpUpload(account, path, remoteName, limits, control);
    });
    return reportOutcome(outcome, UploadDoneStatus, UploadFailedStatus);
}

bool FtpExchange::download()
{
    if (!fieldsFilled() || !nameIsSafe())
        return false;
    const QString name = m_form.text(NameField) + Extension;
    const QString folder = m_runDirectory.recordFolder();
    // The record folder exists once a record was saved; a download into a
    // fresh run directory makes it.
    if (!QDir().mkpath(folder)) {
        m_form.setText(scratch::StatusMessage, DownloadFailedStatus);
        return false;
    }

    const FtpAccount account = this->account();
    const QByteArray remoteName = gbk::encode(name);
    const QString target = QDir(folder).filePath(name);
    const FtpLimits limits = m_limits;
    FtpOutcome outcome = FtpOutcome::NotConnected;
    m_task.run(QStringLiteral("正在下载笔录模板……"), [&](TaskControl &control) {
        outcome = ftpDownload(account, remoteName, target, limits, control);
    });
    return reportOutcome(outcome, DownloadDoneStatus, DownloadFailedStatus);
}

bool FtpExchange::reportOutcome(FtpOutcome outcome, const QString &done, const QString &failed)
{
    switch (outcome) {
    case FtpOutcome::Done:
        m_form.setText(scratch::StatusMessage, done);
        return true;
    case FtpOutcome::NotConnected:
        m_form.setText(scratch::StatusMessage, NotConnectedStatus);
        return false;
    case FtpOutcome::TransferFailed:
        break;
    }
    m_form.setText(scratch::StatusMessage, failed);
    return false;
}

} // namespace tamsel
