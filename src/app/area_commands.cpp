#include "area_commands.h"

#include "audio_recorder_panel.h"
#include "form_commands.h"
#include "ftp_exchange.h"
#include "library_commands.h"
#include "native_document_session.h"
#include "progress_dialog.h"
#include "record_form.h"
#include "record_output.h"
#include "tool_commands.h"
#include "update_check.h"
#include "video_evidence.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace tamsel {

struct AreaCommands::Parts
{
    explicit Parts(RecordForm &window)
        : output{window.form(), window.prompter(), window.runDirectory(), session, window.lineCounter()},
          progress(&window),
          ftp(window.form(), window.prompter(), window.runDirectory(), progress),
          recorder(window.form(), window.prompter(), window.runDirectory(), window.clock()),
          video(window.form(), window.runDirectory(), window.clock())
    {
        // The office suite prints a chosen file in its own time: the window
        // waits behind the progress dialog instead of freezing.
        output.printWithOffice = [this](const doc::OfficeSuite &suite, const QString &path) {
            Status printed = Status::success();
            progress.run(QStringLiteral("正在打印笔录……"),
                         [&](TaskControl &) { printed = doc::printWithOffice(suite, path); });
            return printed;
        };
    }

    doc::NativeDocumentSession session;
    RecordOutput output;
    ProgressDialog progress;
    FtpExchange ftp;
    AudioRecorderPanel recorder;
    VideoEvidence video;
};

namespace {

void onClick(RecordForm &window, const QString &button, std::function<void()> command)
{
    QObject::connect(window.findChild<QPushButton *>(button), &QPushButton::clicked, &window,
                     [command = std::move(command)] { command(); });
}

} // namespace

AreaCommands::AreaCommands(RecordForm &window)
    : m_parts(std::make_unique<Parts>(window))
{
    Parts &p = *m_parts;
    Form &form = window.form();
    Prompter &prompter = window.prompter();
    const RunDirectory &runDir = window.runDirectory();

    // The record as a document.
    window.setCommand(QStringLiteral("保存(笔录及模板)"), [&p, &window] {
        if (saveRecord(p.output))
            window.keepRecord();
    });
    window.setCommand(QStringLiteral("打印(笔录)"), [&p] { printRecord(p.output); });
    onClick(window, QStringLiteral("按钮6"), [&p] { printViewedText(p.output); });

    // The reference library: texts, blank forms, links, tools and help.
    for (MenuCommands commands : {libraryCommands(form, prompter, runDir), formCommands(form, prompter),
                                  toolCommands(prompter)}) {
        for (MenuCommand &command : commands)
            window.setCommand(command.item, std::move(command.run));
    }

    // The network.
    window.setCommand(QStringLiteral("打开FTP笔录服务器配置"), [&p] { p.ftp.openPanel(); });
    window.setCommand(QStringLiteral("关闭FTP笔录服务器配置"), [&p] { p.ftp.closePanel(); });
    window.setCommand(QStringLiteral("笔录上传"), [&p] { p.ftp.upload(); });
    window.setCommand(QStringLiteral("笔录下载"), [&p] { p.ftp.download(); });
    window.setCommand(QStringLiteral("更新软件"), [&prompter, &runDir] { checkForUpdate(prompter, runDir); });

    // The evidence recorders.
    window.setCommand(QStringLiteral("打开笔录录音"), [&p] { p.recorder.openPanel(); });
    window.setCommand(QStringLiteral("关闭笔录录音"), [&p] { p.recorder.closePanel(); });
    onClick(window, AudioRecorderPanel::RecordButton, [&p] { p.recorder.record(); });
    onClick(window, AudioRecorderPanel::PauseButton, [&p] { p.recorder.pause(); });
    onClick(window, AudioRecorderPanel::ResumeButton, [&p] { p.recorder.resume(); });
    onClick(window, AudioRecorderPanel::SaveButton, [&p] { p.recorder.stopAndSave(); });
    onClick(window, AudioRecorderPanel::PlayButton, [&p] { p.recorder.play(); });
    onClick(window, AudioRecorderPanel::StopPlayButton, [&p] { p.recorder.stopPlayback(); });
    window.setCommand(QStringLiteral("开始录像取证"), [&p] { p.video.start(); });
    window.setCommand(QStringLiteral("结束录像取证"), [&p] { p.video.stop(); });
    auto *view = window.findChild<QLabel *>(VideoEvidence::View);
    QObject::connect(&p.video, &VideoEvidence::previewFrame, view,
                     [view](const QImage &frame) { view->setPixmap(QPixmap::fromImage(frame)); });
}

AreaCommands::~AreaCommands() = default;

void AreaCommands::afterStartUp()
{
    m_parts->recorder.offerUnsavedRecordings();
}

} // namespace tamsel
