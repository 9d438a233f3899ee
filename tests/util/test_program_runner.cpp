#include "program_runner.h"
#include "temp_home.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

using namespace tamsel;

namespace {

// Waits (a few seconds at most) for a started program to leave its file.
QByteArray waitForFile(const QString &path)
{
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            if (bytes.endsWith("END"))
                return bytes;
        }
        QThread::msleep(20);
    }
    return {};
}

TEST(ProgramRunner, ParametersAreSplitAsAShellWouldButNeverRunByOne)
{
    test::TempHome home;
    const QString out = home.path() + QStringLiteral("/args");
    // The program prints each argument it got between bars.
    const QString script = QStringLiteral("for a in \"$@\"; do printf '|%s|' \"$a\"; done > '%1'; printf END >> '%1'").arg(out);
    const QString parameters = QStringLiteral("-c \"%1\" sh \"a b\" c $HOME `id` ; \"x|y > z\"")
                                   .arg(QString(script).replace(QLatin1Char('"'), QStringLiteral("\"\"\"")));
    ASSERT_TRUE(runProgram(QStringLiteral("sh"), parameters));
    EXPECT_EQ(waitForFile(out).toStdString(), "|a b||c||$HOME||`id`||;||x|y > z|END");
}

TEST(ProgramRunner, MissingProgramIsNotStarted)
{
    EXPECT_FALSE(runProgram(QStringLiteral("no-such-program-tamsel")));
    EXPECT_FALSE(runProgram(QStringLiteral("/nonexistent/WINWORD.EXE"), QStringLiteral("a b")));
    EXPECT_FALSE(runProgram(QString()));
    // Started without waiting: a program that runs on is no obstacle.
    EXPECT_TRUE(runProgram(QStringLiteral("sleep"), QStringLiteral("5")));
}

} // namespace
