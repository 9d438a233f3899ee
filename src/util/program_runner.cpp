#include "program_runner.h"

#include <QProcess>
#include <QStringList>

namespace tamsel {

bool runProgram(const QString &program, const QString &parameters)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, QProcess::splitCommand(parameters));
}

} // namespace tamsel
