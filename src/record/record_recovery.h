#pragma once

#include "record_template.h"
#include "status.h"

#include <QString>

namespace tamsel {

class Form;
class Prompter;
class RunDirectory;

// The record as last seen on screen, kept as a template in the record folder
// ("BL/未保存笔录.ini") while it is not saved, so that an interview survives a
// crash, a power cut or "退出". It is removed once the record is kept (saved,
// opened, started anew or closed on purpose) and offered back at the next
// start.
class RecordRecovery
{
public:
    explicit RecordRecovery(const RunDirectory &runDir);

    QString file() const { return m_file; }

    // Writes `record` unless it is what was last written.
    Status write(const RecordTemplate &record);
    // Removes the file: the record on screen is kept, or given up on purpose.
    void discard();
    // At start-up, when a record was left: asks whether to bring it back and
    // fills the form from it on "是". True when the form was filled; the file
    // stays until that record is kept. "否" removes it.
    bool offer(Form &form, Prompter &prompter);

private:
    QString m_file;
    QStringList m_written;
};

} // namespace tamsel
