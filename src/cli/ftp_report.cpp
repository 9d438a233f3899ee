#include "ftp_report.h"

#include "form.h"
#include "memory_prompter.h"

#include <QTextStream>

namespace tamsel::cli {

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
