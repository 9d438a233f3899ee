#pragma once

#include <QDateTime>
#include <QString>

namespace tamsel {

class Clock;
class Form;
class RunDirectory;

// What the start-up needs of the program around the record form.
class StartUpHost
{
public:
    virtual ~StartUpHost() = default;
    // The password lock check: shows the login window when the lock is on,
    // else the main window; does nothing once the window is shown.
    virtual void checkLock() = 0;
    // Looks 1..3 are the themed looks (blue, olive green, silver frames); 4
    // is the system's own.
    virtual void applyLook(int look) = 0;
    // The rules of procedure, modal; returns when the officer closes it.
    virtual void showRulesWindow() = 0;
};

// " 程 序 版 本 V 2.3", the lasting status text after start-up.
QString versionText();

// The start-up sequence, run when the window has been created and again by
// "新建(笔录)": lock check, version text, desktop launcher, tooltips,
// caption, look, rules window, start time, sex, line counter, default places
// and the phrase library, in that order. `lineCounter` is the document
// composition's page line count, set back to 0.
void runStartUpSequence(Form &form, StartUpHost &host, const Clock &clock, const RunDirectory &runDir,
                int &lineCounter);

// Writes the current date and time into the start-time fields, without
// leading zeros.
void fillStartTime(Form &form, const Clock &clock);

// The status line: the lasting status message, the date and the time.
QString statusLine(const QString &statusMessage, const QDateTime &now);

// Places a launcher "Tamsel.desktop" for `program` in the desktop folder,
// replacing an earlier one; failures are ignored.
void createDesktopLauncher(const QString &program);

} // namespace tamsel
