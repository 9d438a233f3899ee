#include "record_recovery.h"

#include "atomic_file.h"
#include "prompter.h"
#include "run_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamsel {

RecordRecovery::RecordRecovery(const RunDirectory &runDir)
    : m_file(QDir(runDir.recordFolder()).filePath(QStringLiteral("未保存笔录.ini")))
{
}

Status RecordRecovery::write(const RecordTemplate &record)
{
    if (record.values() == m_written && QFileInfo::exists(m_file))
        return Status::success();
    if (const Status made = makeFolder(QFileInfo(m_file).absolutePath()); !made)
        return made;
    const Status written = record.save(m_file);
    if (written)
        m_written = record.values();
    return written;
}

void RecordRecovery::discard()
{
    QFile::remove(m_file);
    m_written.clear();
}

bool RecordRecovery::offer(Form &form, Prompter &prompter)
{
    if (!QFileInfo(m_file).isFile())
        return false;
    const Result<RecordTemplate> left = RecordTemplate::load(m_file);
    if (!left) {
        discard();
        return false;
    }
    if (prompter.message(QStringLiteral("上次的笔录没有保存程序就结束了。现在恢复这份笔录吗？选“否”则放弃它。"),
                         QStringLiteral("提 示："), Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes) {
        discard();
        return false;
    }
    left.value().applyTo(form);
    m_written = left.value().values();
    return true;
}

} // namespace tamsel
