#pragma once

#include "record_recovery.h"
#include "run_directory.h"
#include "start_up.h"
#include "widget_form.h"

#include <QCoreApplication>
#include <QHash>
#include <QMainWindow>

#include <functional>

class QLabel;
class QTimer;

namespace tamsel {

class Clock;
class Prompter;

// The main window: one interrogation record. Every control carries its
// control name as its object name, and commands reach the record only
// through form() by those names. The window is created hidden; startUp()
// runs the start-up sequence, which shows it.
class RecordForm : public QMainWindow, public StartUpHost
{
    Q_OBJECT
public:
    RecordForm(Prompter &prompter, const Clock &clock, RunDirectory runDir, QWidget *parent = nullptr);
    ~RecordForm() override;

    WidgetForm &form() { return m_form; }
    Prompter &prompter() { return m_prompter; }
    const Clock &clock() const { return m_clock; }
    const RunDirectory &runDirectory() const { return m_runDir; }
    int &lineCounter() { return m_lineCounter; }

    void startUp();

    // Takes the record as it is now as kept: saved, opened from a template or
    // started anew. Closing the window asks first when the record has changed
    // since, so an interview is not lost to a stray click; until then the
    // record on screen is also written aside every few seconds.
    void keepRecord();
    // A record just filled from the template at `path` is kept, unless that
    // file is the safety copy itself: then it stays unsaved, and so does its copy.
    void recordOpened(const QString &path);
    // At start-up: offers back a record left unsaved by a crash or "退出",
    // then starts writing the record on screen aside.
    void offerLeftRecord();

    // Binds a menu item, by its text, to a command. Items without a command
    // say that the function is not available yet.
    void setCommand(const QString &menuItem, std::function<void()> command);
    bool hasCommand(const QString &menuItem) const { return m_commands.contains(menuItem); }
    // Runs a menu item as if the officer chose it; false when there is none.
    bool triggerMenuItem(const QString &menuItem);
    // The lock check of the start-up; without one the window is just shown.
    void setLockCheck(std::function<void()> check) { m_lockCheck = std::move(check); }
    // How the rules window is shown (tests replace the modal window).
    void setRulesWindowShower(std::function<void()> show) { m_showRules = std::move(show); }
    // How "退出" ends the program (tests stay in their process).
    void setProgramEnd(std::function<void()> end) { m_endProgram = std::move(end); }

    // StartUpHost
    void checkLock() override;
    void applyLook(int look) override;
    void showRulesWindow() override;

    // Rewrites the status line from the lasting status message; run every second.
    void refreshStatusLine();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages(QWidget *central);
    void buildPanels(QWidget *central);
    void buildSideButtons(QWidget *central);
    void buildMenus();
    void runMenuItem(const QString &item);
    void writeLeftRecord();

    Prompter &m_prompter;
    const Clock &m_clock;
    RunDirectory m_runDir;
    QLabel *m_statusLabel;
    WidgetForm m_form;
    QTimer *m_statusClock;
    int m_lineCounter = 0;
    QStringList m_keptRecord;
    RecordRecovery m_recovery;
    QTimer *m_recoveryClock;
    QHash<QString, std::function<void()>> m_commands;
    std::function<void()> m_lockCheck;
    std::function<void()> m_showRules;
    std::function<void()> m_endProgram = [] { QCoreApplication::exit(0); };
};

} // namespace tamsel
