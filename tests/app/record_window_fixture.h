#pragma once

#include "fake_clock.h"
#include "record_fields.h"
#include "record_form.h"
#include "scripted_prompter.h"
#include "temp_home.h"

#include <QComboBox>
#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace tamsel::test {

// A real record window on the offscreen platform, in a temporary home with a
// run directory of its own, a fixed clock and scripted prompts. The rules
// window is counted instead of shown.
class RecordWindowTest : public testing::Test
{
protected:
    RecordWindowTest() : runDir(home.makeRunDir()) {}

    void writeSettings(const QString &text) { writeGbkFile(QDir(runDir).filePath("set.ini"), text); }

    RecordForm &window()
    {
        if (!m_window) {
            m_window = std::make_unique<RecordForm>(prompter, clock, RunDirectory(runDir));
            m_window->setRulesWindowShower([this] { ++rulesShown; });
        }
        return *m_window;
    }

    RecordForm &startedWindow()
    {
        window().startUp();
        return window();
    }

    Form &form() { return window().form(); }
    QString text(const char *field) { return form().text(recordField(QLatin1String(field)).control); }
    QComboBox *combo(const QString &control) { return window().findChild<QComboBox *>(control); }

    TempHome home;
    QString runDir;
    FakeClock clock;
    ScriptedPrompter prompter;
    int rulesShown = 0;

private:
    std::unique_ptr<RecordForm> m_window;
};

} // namespace tamsel::test
