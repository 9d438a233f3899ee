#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tamsel {

class Form;

// A record kept as an INI file ("笔录模板文件"): section "set", the keys
// num1 .. num70 and beizu, each the text of its control as GBK. The format
// is shared with the programs that exchange templates with this one.
class RecordTemplate
{
public:
    static constexpr const char *Section = "set";

    // The 71 values as the form shows them now, in key order.
    static RecordTemplate fromForm(const Form &form);
    // Reads a template; a file that is missing, unreadable or has no section
    // "set" is refused with a message naming the file. Keys the file lacks
    // read as "".
    static Result<RecordTemplate> load(const QString &path);

    // The value of a key ("num16", "beizu").
    QString value(const QString &key) const;
    // Every value in key order.
    QStringList values() const { return m_values; }

    // Sets every control of the record from the template, in key order;
    // combo boxes get the text whether or not it is in their list.
    void applyTo(Form &form) const;

    // The file as it is after writing the 71 keys one by one into `existing`
    // (empty for a new file): keys created in order in a new file, replaced
    // in place in an existing one, everything else kept.
    QByteArray writtenInto(const QByteArray &existing) const;
    // Writes the template over the file at `path` in one atomic replace; on
    // failure the old file is intact and the message names the file.
    Status save(const QString &path) const;

private:
    QStringList m_values;
};

} // namespace tamsel
