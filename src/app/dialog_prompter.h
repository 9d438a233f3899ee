#pragma once

#include "prompter.h"

namespace tamsel {

// Message boxes and file dialogs of the real program: modal, without an
// owner window.
class DialogPrompter : public Prompter
{
public:
    Answer message(const QString &text, const QString &caption, Buttons buttons) override;
    QString chooseFileToOpen(const QString &filter, const QString &defaultSuffix) override;
    QString chooseFileToSave(const QString &filter, const QString &defaultSuffix) override;
    QString browseForFile(const QString &title) override;
};

} // namespace tamsel
