#include "scripted_prompter.h"

#include <gtest/gtest.h>

namespace tamsel::test {

ScriptedPrompter::~ScriptedPrompter()
{
    for (const Step &step : m_script)
        ADD_FAILURE() << "prompt expected but never shown: "
                      << (step.isMessage ? step.text : QStringLiteral("file choice")).toStdString();
}

void ScriptedPrompter::expectMessage(const QString &text, Answer answer, const QString &caption)
{
    m_script.push_back({true, text, caption, answer, {}});
}

void ScriptedPrompter::expectFileChoice(const QString &path)
{
    m_script.push_back({false, {}, {}, Answer::Ok, path});
}

Prompter::Answer ScriptedPrompter::message(const QString &text, const QString &caption, Buttons buttons)
{
    m_shown << caption + QStringLiteral(": ") + text;
    if (m_script.empty() || !m_script.front().isMessage) {
        ADD_FAILURE() << "unexpected message box: [" << caption.toStdString() << "] " << text.toStdString();
        return buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok;
    }
    const Step step = m_script.front();
    m_script.pop_front();
    EXPECT_EQ(step.text.toStdString(), text.toStdString()) << "message box text";
    if (!step.caption.isEmpty()) {
        EXPECT_EQ(step.caption.toStdString(), caption.toStdString()) << "caption of: " << text.toStdString();
    }
    return step.answer;
}

QString ScriptedPrompter::nextFile(const QString &what)
{
    if (m_script.empty() || m_script.front().isMessage) {
        ADD_FAILURE() << "unexpected file choice: " << what.toStdString();
        return {};
    }
    const QString path = m_script.front().path;
    m_script.pop_front();
    return path;
}

QString ScriptedPrompter::chooseFileToOpen(const QString &filter, const QString &)
{
    return nextFile(QStringLiteral("open ") + filter);
}

QString ScriptedPrompter::chooseFileToSave(const QString &filter, const QString &)
{
    return nextFile(QStringLiteral("save ") + filter);
}

QString ScriptedPrompter::browseForFile(const QString &title)
{
    return nextFile(QStringLiteral("browse ") + title);
}

} // namespace tamsel::test
