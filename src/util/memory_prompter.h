#pragma once

#include "prompter.h"

#include <QStringList>

namespace tamsel {

// A Prompter without dialogs, for tamsel-cli: every message is kept and
// answered as a person who agrees to nothing would (OK for an OK box,
// Cancel, No for the others), and every file choice is
// answered with the path given up front ("" = the person cancelled).
class MemoryPrompter : public Prompter
{
public:
    explicit MemoryPrompter(QString chosenPath = {}) : m_path(std::move(chosenPath)) {}

    Answer message(const QString &text, const QString &caption, Buttons buttons) override;
    QString chooseFileToOpen(const QString &, const QString &) override { return m_path; }
    QString chooseFileToSave(const QString &, const QString &) override { return m_path; }
    QString browseForFile(const QString &) override { return m_path; }

    // The texts of the messages shown so far, in order.
    QStringList messages() const { return m_messages; }

private:
    QString m_path;
    QStringList m_messages;
};

} // namespace tamsel
