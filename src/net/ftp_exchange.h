#pragma once

#include "ftp_transfer.h"

#include <QString>

namespace tamsel {

class BackgroundTask;
class Form;
class Prompter;
class RunDirectory;

// The commands of the menu "网络功能": the FTP panel `分组框7` with the
// server address `编辑框20`, user `编辑框21`, password `编辑框22` and template
// name `编辑框23`, and the transfers of record templates between the record
// folder and the folder "wwwroot/" of the server. The outcome of a transfer
// is written to the status message (`编辑框25`); problems with the input are
// shown in message boxes before any connection is made. Connecting and
// transferring run through `task`, off the calling thread.
class FtpExchange
{
public:
    FtpExchange(Form &form, Prompter &prompter, const RunDirectory &runDirectory, BackgroundTask &task,
                FtpLimits limits = {});

    // "打开FTP笔录服务器配置": the panel at left 1, top 0, shown.
    void openPanel();
    // "关闭FTP笔录服务器配置": the panel at left 0, top 0, hidden; the fields
    // keep their texts.
    void closePanel();

    // "笔录上传": asks for the template file (kept in `编辑框17`) and sends it
    // as `编辑框23` + ".ini". True when the file arrived on the server.
    bool upload();
    // "笔录下载": fetches `编辑框23` + ".ini" into the record folder "BL"
    // (created when missing), replacing a local file of that name only once
    // the whole file has arrived. True when it did.
    bool download();

    // The panel's fields, by control name.
    static inline const QString ServerField = QStringLiteral("编辑框20");
    static inline const QString UserField = QStringLiteral("编辑框21");
    static inline const QString PasswordField = QStringLiteral("编辑框22");
    static inline const QString NameField = QStringLiteral("编辑框23");

    // The status texts and messages, exactly as the officer sees them.
    static const QString NotConnectedStatus;
    static const QString UploadDoneStatus;
    static const QString UploadFailedStatus;
    static const QString DownloadDoneStatus;
    static const QString DownloadFailedStatus;

private:
    // Writes the status of a finished transfer; true when it was done.
    bool reportOutcome(FtpOutcome outcome, const QString &done, const QString &failed);
    bool fieldsFilled();
    bool nameIsSafe();
    FtpAccount account() const;

    Form &m_form;
    Prompter &m_prompter;
    const RunDirectory &m_runDirectory;
    BackgroundTask &m_task;
    FtpLimits m_limits;
};

} // namespace tamsel
