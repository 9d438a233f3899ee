#include "record_file_name.h"

#include "form.h"
#include "record_fields.h"
#include "run_directory.h"

#include <QDir>

namespace tamsel {

namespace {

struct NamePart
{
    const char *field;
    const char16_t *label;
};

constexpr NamePart NameParts[] = {
    {"StartYear", u"笔录起始时间（年）"},
    {"StartMonth", u"笔录起始时间（月）"},
    {"StartDay", u"笔录起始时间（日）"},
    {"WorkUnit", u"工作单位"},
    {"IntervieweeName", u"被询问人姓名"},
};

Result<QString> pathWithSuffix(const Form &form, const RunDirectory &runDir, const char *suffix)
{
    const Result<QString> stem = recordFileStem(form);
    if (!stem)
        return stem.status();
    return QDir(runDir.recordFolder()).filePath(stem.value() + QLatin1String(suffix));
}

} // namespace

Status checkTypedFileName(const QString &name, const QString &what)
{
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\')
            return Status::failure(QStringLiteral("%1“%2”中含有路径分隔符“%3”，不能用作文件名。请改正后再试。")
                                       .arg(what, name, QString(c)));
        if (c.category() == QChar::Other_Control)
            return Status::failure(QStringLiteral("%1“%2”中含有控制字符，不能用作文件名。请改正后再试。").arg(what, name));
    }
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return Status::failure(QStringLiteral("%1“%2”不能用作文件名。请改正后再试。").arg(what, name));
    return Status::success();
}

Result<QString> recordFileStem(const Form &form)
{
    QStringList texts;
    for (const NamePart &part : NameParts) {
        const QString text = form.text(recordField(QLatin1String(part.field)).control);
        if (const Status checked = checkTypedFileName(text, QString::fromUtf16(part.label)); !checked)
            return checked;
        texts << text;
    }
    const QString stem = texts[0] + u'.' + texts[1] + u'.' + texts[2] + u'-' + texts[3] + u'-' + texts[4];
    if (const Status checked = checkTypedFileName(stem, QStringLiteral("笔录文件名")); !checked)
        return checked;
    return stem;
}

Result<QString> templatePath(const Form &form, const RunDirectory &runDir)
{
    return pathWithSuffix(form, runDir, ".ini");
}

Result<QString> documentPath(const Form &form, const RunDirectory &runDir)
{
    return pathWithSuffix(form, runDir, ".doc");
}

} // namespace tamsel
