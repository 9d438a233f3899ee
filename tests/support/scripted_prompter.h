#pragma once

#include "prompter.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace tamsel::test {

// A Prompter that answers from a script. Each expected prompt is queued with
// the answer to give; a prompt that was not queued, or one that differs from
// the queued text, fails the test quoting the question, and answers left over
// at the end fail it too.
class ScriptedPrompter : public Prompter
{
public:
    ~ScriptedPrompter() override;

    // Expect a message box with this text (and caption, unless empty).
    void expectMessage(const QString &text, Answer answer = Answer::Ok, const QString &caption = {});
    // Expect a file choice of any kind; answer with `path` ("" = cancel).
    void expectFileChoice(const QString &path);

    Answer message(const QString &text, const QString &caption, Buttons buttons) override;
    QString chooseFileToOpen(const QString &filter, const QString &defaultSuffix) override;
    QString chooseFileToSave(const QString &filter, const QString &defaultSuffix) override;
    QString browseForFile(const QString &title) override;

    // Every message shown so far, "caption: text".
    QStringList shown() const { return m_shown; }
    // Drops what is still queued (a test that ends early on purpose).
    void clear() { m_script.clear(); }

    struct Step
    {
        bool isMessage;
        QString text;
        QString caption;
        Answer answer;
        QString path;
    };

private:
    QString nextFile(const QString &what);

    std::deque<Step> m_script;
    QStringList m_shown;
};

} // namespace tamsel::test
