#pragma once

#include <QString>

namespace tamsel {

class Form;
class RunDirectory;

// Shows the file at `path` in the text viewer over the record pages: its
// bytes up to the first zero, as GBK text, exactly as they are on disk now.
// A file that cannot be read shows an empty viewer.
void showTextFile(Form &form, const QString &path);

// The two help texts of the run directory, shown in the viewer.
void showContactsList(Form &form, const RunDirectory &runDir);
void showProgramHelp(Form &form, const RunDirectory &runDir);

} // namespace tamsel
