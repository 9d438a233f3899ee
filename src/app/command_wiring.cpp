#include "command_wiring.h"

#include "lock_commands.h"
#include "open_template.h"
#include "password_lock.h"
#include "record_fields.h"
#include "record_form.h"
#include "registry_store.h"

#include <cstdlib>

namespace tamsel {

void wireCommands(RecordForm &window)
{
    Form &form = window.form();
    Prompter &prompter = window.prompter();
    const RunDirectory &runDir = window.runDirectory();

    window.setCommand(QStringLiteral("打开(笔录模板)"), [&window, &form, &prompter, &runDir] {
        if (openRecordTemplate(form, prompter, runDir))
            window.recordOpened(form.text(scratch::ChosenFile));
    });

    window.setCommand(QStringLiteral("加密"), [&prompter] {
        RegistryStore store;
        lock_commands::enableLock(prompter, store);
    });
    window.setCommand(QStringLiteral("解密"), [&prompter] {
        RegistryStore store;
        password_lock::disableLock(prompter, store);
    });
    // Closing the login window without the right password ends the program:
    // it never runs on without a window, nor shows the records.
    window.setLockCheck([&form, &prompter] {
        RegistryStore store;
        if (!lock_commands::checkLockAtStart(form, prompter, store))
            std::exit(EXIT_FAILURE);
    });
}

} // namespace tamsel
