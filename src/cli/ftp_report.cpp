#include "ftp_report.h"

#include "form.h"
#include "ftp_exchange.h"
#include "memory_prompter.h"
#include "record_fields.h"

#include <QTextStream>

namespace tamsel::cli {

void setFtpFields(Form &form, const QString &server, const QString &user, const QString &name)
{
    form.setText(FtpExchange::ServerField, server);
    form.setText(FtpExchange::UserField, user);
    // Never on the command line, where every user of the machine can read it.
    form.setText(FtpExchange::PasswordField, qEnvironmentVariable("TAMSEL_FTP_PASSWORD"));
    form.setText(FtpExchange::NameField, name);
}

int reportFtpCommand(bool arrived, const MemoryPrompter &prompter, const Form &form)
{
    QTextStream err(stderr);
    for (const QString &message : prompter.messages())
        err << message << "\n";
    const QString status = form.text(scratch::StatusMessage);
    if (!status.isEmpty())
        QTextStream(stdout) << status << "\n";
    return arrived ? 0 : 1;
}

} // namespace tamsel::cli
