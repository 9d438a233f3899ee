#pragma once

namespace tamsel {

class Form;
class Prompter;
class RegistryStore;

// The lock's commands with their real windows, for the program's wiring.
namespace lock_commands {

// The start-up lock check with the modal LoginWindow. False when the officer
// closed that window without the right password: the program must end then.
bool checkLockAtStart(Form &mainWindow, Prompter &prompter, RegistryStore &store);

// "加密": the modal SetPasswordWindow, unless the lock is already on.
void enableLock(Prompter &prompter, RegistryStore &store);

} // namespace lock_commands
} // namespace tamsel
