#pragma once

namespace tamsel {
class Form;
class MemoryPrompter;
}

#include <QString>

namespace tamsel::cli {

// Puts the server, the account, the template name and the password from
// TAMSEL_FTP_PASSWORD on the FTP panel's fields, as the officer types them.
void setFtpFields(Form &form, const QString &server, const QString &user, const QString &name);

// Ends an FTP command: the messages the officer would have seen go to the
// error stream, the status text to the output; the exit code says whether
// the file arrived.
int reportFtpCommand(bool arrived, const MemoryPrompter &prompter, const Form &form);

} // namespace tamsel::cli
