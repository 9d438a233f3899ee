#include "text_viewer.h"

#include "atomic_file.h"
#include "form.h"
#include "gbk.h"
#include "record_fields.h"
#include "run_directory.h"

namespace tamsel {

namespace {

const QString Viewer = QStringLiteral("超级编辑框1");

void showRunDirectoryFile(Form &form, const RunDirectory &runDir, const QString &name)
{
    form.setText(scratch::ViewerFile, runDir.filePath(name));
    showTextFile(form, form.text(scratch::ViewerFile));
}

} // namespace

void showTextFile(Form &form, const QString &path)
{
    form.setGeometry(Viewer, QRect(1, 64, 1017, 506));
    QByteArray bytes = readFileBytes(path);
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        bytes.truncate(zero);
    form.setText(Viewer, gbk::decode(bytes));
    for (const QString &control : {Viewer, QStringLiteral("按钮3"), QStringLiteral("按钮6")})
        form.setVisible(control, true);
}

void showContactsList(Form &form, const RunDirectory &runDir)
{
    showRunDirectoryFile(form, runDir, QStringLiteral("市镇县乡村劳动保障监察员联系方式.txt"));
}

void showProgramHelp(Form &form, const RunDirectory &runDir)
{
    showRunDirectoryFile(form, runDir, QStringLiteral("帮助.txt"));
}

} // namespace tamsel
