#pragma once

#include "status.h"

#include <QString>

namespace tamsel {

class Form;
class RunDirectory;

// The stem shared by a record's template and document:
// StartYear "." StartMonth "." StartDay "-" WorkUnit "-" IntervieweeName, the
// field texts unchanged ("07" stays "07"). A field holding a path separator
// or a control character is refused with a message naming the field, so a
// typed name never writes outside the record folder.
Result<QString> recordFileStem(const Form &form);

// BL/<stem>.ini and BL/<stem>.doc in the run directory.
Result<QString> templatePath(const Form &form, const RunDirectory &runDir);
Result<QString> documentPath(const Form &form, const RunDirectory &runDir);

// Checks a name typed by the officer that becomes a file name: no path
// separator, no control character, not "." or "..". `what` names the field
// in the message.
Status checkTypedFileName(const QString &name, const QString &what);

} // namespace tamsel
