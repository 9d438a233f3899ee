#include "record_template.h"

#include "atomic_file.h"
#include "form.h"
#include "ini_file.h"
#include "record_fields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamsel {

RecordTemplate RecordTemplate::fromForm(const Form &form)
{
    RecordTemplate t;
    for (const RecordField &field : recordFields())
        t.m_values << form.text(field.control);
    return t;
}

Result<RecordTemplate> RecordTemplate::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return Status::failure(QStringLiteral("无法读取笔录模板文件 %1。").arg(QDir::toNativeSeparators(path)));
    const IniFile ini = IniFile::load(path);
    if (!ini.hasSection(QLatin1String(Section)))
        return Status::failure(QStringLiteral("%1 不是笔录模板文件（文件中没有 [set] 节）。")
                                   .arg(QDir::toNativeSeparators(path)));
    RecordTemplate t;
    for (const RecordField &field : recordFields())
        t.m_values << ini.text(QLatin1String(Section), field.templateKey);
    return t;
}

QString RecordTemplate::value(const QString &key) const
{
    const auto fields = recordFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].templateKey == key)
            return m_values.value(static_cast<qsizetype>(i));
    }
    return {};
}

void RecordTemplate::applyTo(Form &form) const
{
    const auto fields = recordFields();
    for (size_t i = 0; i < fields.size(); ++i)
        form.setText(fields[i].control, m_values.value(static_cast<qsizetype>(i)));
}

QByteArray RecordTemplate::writtenInto(const QByteArray &existing) const
{
    IniFile ini = IniFile::fromBytes(existing);
    const auto fields = recordFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        // A value is one line: a line break left in it would end the value
        // and turn the rest into lines of their own.
        QString value = m_values.value(static_cast<qsizetype>(i));
        value.replace(u'\r', u' ').replace(u'\n', u' ');
        ini.setText(QLatin1String(Section), fields[i].templateKey, value);
    }
    return ini.toBytes();
}

Status RecordTemplate::save(const QString &path) const
{
    // An existing file is kept whole around the keys, so it must be readable.
    QFile existing(path);
    if (existing.exists() && !existing.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("无法读取已有的笔录模板文件 %1：%2")
                                   .arg(QDir::toNativeSeparators(path), existing.errorString()));
    return writeFileAtomically(path, writtenInto(existing.isOpen() ? existing.readAll() : QByteArray()));
}

} // namespace tamsel
