#include "open_template.h"

#include "form.h"
#include "prompter.h"
#include "record_fields.h"
#include "record_template.h"
#include "run_directory.h"

#include <QDir>

namespace tamsel {

bool openRecordTemplate(Form &form, Prompter &prompter, const RunDirectory &runDir)
{
    const QString path = prompter.chooseFileToOpen(QStringLiteral("*.ini 笔录模板文件|*.ini"), QStringLiteral("ini"));
    if (path.isEmpty()) {
        prompter.inform(QStringLiteral(" 没有选择正确的笔录模板 *.ini文件，模板文件保存在 <%1> 目录中。")
                            .arg(QDir::toNativeSeparators(runDir.recordFolder() + u'/')),
                        QStringLiteral("提示："));
        return false;
    }
    form.setText(scratch::ChosenFile, path);
    const Result<RecordTemplate> loaded = RecordTemplate::load(path);
    if (!loaded) {
        prompter.inform(loaded.message() + QStringLiteral(" 笔录没有改动。"), QStringLiteral("提示："));
        return false;
    }
    loaded.value().applyTo(form);
    return true;
}

} // namespace tamsel
