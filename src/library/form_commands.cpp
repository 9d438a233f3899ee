#include "form_commands.h"

#include "atomic_file.h"
#include "form.h"
#include "form_catalogue.h"
#include "form_documents.h"
#include "prompter.h"
#include "run_directory.h"

#include <QDir>
#include <QFileInfo>

namespace tamsel {

namespace {

const QString Notice = QStringLiteral("提 示：");

} // namespace

QString formTargetFile(int number)
{
    return QDir(userCacheFolder()).filePath(formFileName(number));
}

void openDocumentTemplate(Form &form, Prompter &prompter, const FormServices &services, const FormEntry &entry)
{
    // The office program is handed the file only once it holds this form, so
    // an older copy left by an earlier write is never shown as the one chosen.
    const QString path = formTargetFile(entry.number);
    const QByteArray bytes = carriedForm(entry.number);
    if (bytes.isEmpty()) {
        prompter.inform(QStringLiteral("%1：程序中没有这份监察文书。").arg(formFileName(entry.number)), Notice);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const Status written = writeFileAtomically(path, bytes); !written) {
        prompter.inform(written.message(), Notice);
        return;
    }

    if (prompter.message(QStringLiteral("是否直接打印此监察文书？"), Notice, Prompter::Buttons::OkCancel)
        == Prompter::Answer::Ok) {
        const Result<doc::Document> document = carriedFormDocument(entry.number);
        const Status printed = document ? services.print(document.value()) : document.status();
        if (!printed) {
            prompter.inform(printed.message(), QStringLiteral("无 法 打 印："));
            return;
        }
        form.setStatusText(QStringLiteral("打印监察文书成功..."));
        return;
    }

    const QString cannotOpen = QStringLiteral("无 法 打 开 文 档：");
    const doc::OfficeSuite office = services.findOffice();
    if (!office.found()) {
        prompter.inform(QStringLiteral("电 脑 没 有 安 装 WORD 办 公 软 件."), cannotOpen);
        return;
    }
    if (!services.showInOffice(office, path))
        prompter.inform(QStringLiteral("无法用 %1 打开 %2：%3 不能启动。")
                            .arg(office.name(), QDir::toNativeSeparators(path), office.writer),
                        cannotOpen);
}

MenuCommands formCommands(Form &form, Prompter &prompter, const FormServices &services)
{
    MenuCommands commands;
    for (const FormEntry &entry : formCatalogue()) {
        commands.push_back({QString::fromUtf16(entry.menuText), [&form, &prompter, services, entry] {
                                openDocumentTemplate(form, prompter, services, entry);
                            }});
    }
    return commands;
}

} // namespace tamsel
