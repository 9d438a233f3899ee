#include "lock_commands.h"

#include "login_window.h"
#include "password_lock.h"
#include "set_password_window.h"

namespace tamsel::lock_commands {

bool checkLockAtStart(Form &mainWindow, Prompter &prompter, RegistryStore &store)
{
    return password_lock::checkLockAtStart(mainWindow, store, [&] {
        LoginWindow window(mainWindow, prompter, store);
        window.exec();
    });
}

void enableLock(Prompter &prompter, RegistryStore &store)
{
    password_lock::enableLock(prompter, store, [&] {
        SetPasswordWindow window(prompter, store);
        window.exec();
    });
}

} // namespace tamsel::lock_commands
