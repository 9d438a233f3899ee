#include "ftp_report.h"

#include "form.h"
#include "memory_prompter.h"

#include <QTextStream>

namespace tamsel::cli {

void setFtpFields(Form &form, const QString &server, const QString &user, const QString &name)
{
    form.setText(QStringLiteral("编辑框20"), server);
    form.setText(QStringLiteral("编辑框21"), user);
    // Never on the command line, where every user of the machine can read it.
    form.setText(QStringLiteral("编辑框22"), qEnvironmentVariable("TAMSEL_FTP_PASSWORD"));
    form.setText(QStringLiteral("编辑框23"), name);
}

int reportFtpCommand(bool arrived, const MemoryPrompter &prompter, const Form &form)
{
    QTextStream err(stderr);
    for (const QString &message : prompter.messages())
        err << message << "\n";
    const QString status = form.text(QStringLiteral("编辑框25"));
    if (!status.isEmpty())
        QTextStream(stdout) << status << "\n";
    return arrived ? 0 : 1;
}

} // namespace tamsel::cli
