#include "record_output.h"

#include "atomic_file.h"
#include "document_session.h"
#include "form.h"
#include "gbk.h"
#include "page_renderer.h"
#include "prompter.h"
#include "record_document.h"
#include "record_fields.h"
#include "run_directory.h"

#include <QDir>
#include <QFileInfo>

namespace tamsel {

namespace {

const QString Caption = QStringLiteral("提 示：");
const QString NoOffice = QStringLiteral("电 脑 没 有 安 装 WORD 办 公 软 件.");

QString field(const Form &form, const char *name)
{
    return form.text(recordField(QLatin1String(name)).control);
}

QString recordFolderText(const RunDirectory &runDir)
{
    return QDir::toNativeSeparators(runDir.recordFolder() + u'/');
}

// The checks before a record is composed; false after telling the officer
// what is missing.
bool recordComplete(RecordOutput &out, const QString &noWorkUnitText)
{
    if (field(out.form, "WorkUnit").isEmpty()) {
        out.prompter.inform(noWorkUnitText, Caption);
        return false;
    }
    if (field(out.form, "EndHour").isEmpty() || field(out.form, "EndMinute").isEmpty()) {
        out.prompter.inform(QStringLiteral(" 笔录结束时间没有添写！ "), Caption);
        return false;
    }
    return true;
}

void setSavedStatus(RecordOutput &out)
{
    out.form.setText(scratch::StatusMessage,
                     QStringLiteral("笔录WORD文件以经保存在 <") + QDir::toNativeSeparators(out.runDir.path())
                         + QDir::toNativeSeparators(QStringLiteral("/BL/")) + QStringLiteral("目录中> "));
}

} // namespace

bool saveRecord(RecordOutput &out)
{
    if (!recordComplete(out, QStringLiteral(" 笔录没有录入完成，工作单位等资料都没有添写. "))) {
        setSavedStatus(out);
        return false;
    }
    const Result<ComposedRecord> composed = composeRecordDocument(out.form, out.session, out.runDir, out.lineCounter);
    if (!composed) {
        out.prompter.inform(composed.message(), Caption);
        return false;
    }
    const ComposedRecord &record = composed.value();

    // Nothing is written before the officer has said whether an existing
    // document may be replaced; "No" leaves both old files as they are.
    bool replace = true;
    if (QFileInfo::exists(record.documentPath)) {
        replace = out.prompter.message(QStringLiteral(" 文件以经存在，是否覆盖老文件？ "), Caption,
                                       Prompter::Buttons::YesNo)
            == Prompter::Answer::Yes;
    }
    Status saved = Status::success();
    if (replace) {
        out.session.saveDocumentAs(record.documentPath);
        saved = out.session.lastSaveStatus();
        if (saved)
            saved = record.recordTemplate.save(record.templatePath);
    }
    out.session.closeDocument();
    out.session.quitWord();
    if (!saved) {
        out.prompter.inform(saved.message(), QStringLiteral("无法保存笔录："));
        return false;
    }

    if (out.prompter.message(QStringLiteral(" 是 否 对 此 笔 录 文 件 进 行 预 览？ "), Caption,
                             Prompter::Buttons::YesNo)
        == Prompter::Answer::Yes) {
        const doc::OfficeSuite office = out.findOffice();
        if (!office.found())
            out.prompter.inform(NoOffice, QStringLiteral("无法预览笔录："));
        else
            out.showInOffice(office, record.documentPath);
    }
    setSavedStatus(out);
    return replace;
}

void printRecord(RecordOutput &out)
{
    if (out.prompter.message(QStringLiteral(" 是/否 打 印 当 前 笔 录 内 容 ？ \r\n"), QStringLiteral("打印提示："),
                             Prompter::Buttons::YesNo)
        == Prompter::Answer::Yes) {
        if (!recordComplete(out, QStringLiteral("笔录没有录入完成，工作单位等资料没有添写.")))
            return;
        const Result<ComposedRecord> composed =
            composeRecordDocument(out.form, out.session, out.runDir, out.lineCounter);
        if (!composed) {
            out.prompter.inform(composed.message(), Caption);
            return;
        }
        const Status kept = composed.value().recordTemplate.save(composed.value().templatePath);
        out.session.printDocument();
        const Status printed = out.session.lastPrintStatus();
        out.session.closeDocument();
        out.session.quitWord();
        if (!kept)
            out.prompter.inform(kept.message(), QStringLiteral("无法保存笔录模板："));
        if (!printed) {
            out.prompter.inform(printed.message(), QStringLiteral("无法打印："));
            return;
        }
        out.form.setText(scratch::StatusMessage, QStringLiteral("打 印 成 功！"));
        return;
    }

    const QString path =
        out.prompter.chooseFileToOpen(QStringLiteral("*.doc 选择要打印的笔录WORD文件|*.doc"), QStringLiteral("ini"));
    if (path.isEmpty()) {
        out.prompter.inform(QStringLiteral("没有选择正确的笔录文件！笔录WORD文件保存在 <") + recordFolderText(out.runDir)
                                + QStringLiteral("> 目录中。"),
                            QStringLiteral("错误："));
        return;
    }
    out.form.setText(scratch::ChosenFile, path);
    const doc::OfficeSuite office = out.findOffice();
    if (!office.found()) {
        out.prompter.inform(NoOffice, QStringLiteral("无法打印："));
        return;
    }
    if (!path.contains(QLatin1String("doc"))) {
        out.prompter.inform(QStringLiteral("打印笔录文档选择的不匹配 (要选doc文档).   请重新再选。"), Caption);
        return;
    }
    if (const Status printed = out.printWithOffice(office, path); !printed) {
        out.prompter.inform(printed.message(), QStringLiteral("无法打印："));
        return;
    }
    out.form.setText(scratch::StatusMessage, QStringLiteral("打印笔录成功... "));
}

void printViewedText(RecordOutput &out)
{
    const QString path = out.form.text(scratch::ViewerFile);
    const QString caption = QStringLiteral("无 法 打 印：");
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        out.prompter.inform(QStringLiteral("没有可打印的文件：请先从“法律法规”或“帮助”菜单打开要打印的文本。"), caption);
        return;
    }
    QByteArray bytes = readFileBytes(path);
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        bytes.truncate(zero);
    QString text = gbk::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (const Status printed = out.print(doc::textDocument(text)); !printed) {
        out.prompter.inform(printed.message(), caption);
        return;
    }
    out.form.setStatusText(QStringLiteral("打印成功..."));
}

} // namespace tamsel
