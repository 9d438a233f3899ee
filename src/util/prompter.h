#pragma once

#include <QString>

namespace tamsel {

// The person at the computer: message boxes and file choices. The real one
// shows modal dialogs without an owner window; tests answer from a script.
class Prompter
{
public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;

    // A modal message box. Closing an OK/Cancel box counts as Cancel, and a
    // Yes/No box as No.
    virtual Answer message(const QString &text, const QString &caption, Buttons buttons) = 0;

    // File choices give the chosen path, or "" when the person cancels.
    // `filter` is written "description|pattern" ("WAV录音文件|*.wav").
    virtual QString chooseFileToOpen(const QString &filter, const QString &defaultSuffix) = 0;
    virtual QString chooseFileToSave(const QString &filter, const QString &defaultSuffix) = 0;
    // A browser over folders and files with an edit line; `title` is its title.
    virtual QString browseForFile(const QString &title) = 0;

    void inform(const QString &text, const QString &caption) { message(text, caption, Buttons::Ok); }
};

} // namespace tamsel
