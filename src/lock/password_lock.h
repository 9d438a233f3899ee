#pragma once

#include <QString>

#include <functional>

namespace tamsel {

class Form;
class Prompter;
class RegistryStore;

// The start-up password lock. It lives in two string values of the key
// "HKEY_LOCAL_MACHINE\SOFTWARE\Velkor": "Tamsel", the flag (the lock is on
// exactly when its first character is "1"; an absent value is off), and
// "MIMA", the password's hash (see password_hash.h). There is no other
// account or user notion. The windows only call these functions; every
// decision and every message is here.
namespace password_lock {

QString keyPath();                    // "HKEY_LOCAL_MACHINE\SOFTWARE\Velkor"
inline constexpr char16_t FlagValue[] = u"Tamsel";
inline constexpr char16_t PasswordValue[] = u"MIMA";

// Whether the store says the lock is on.
bool isOn(const RegistryStore &store);

// The first step of start-up. Does nothing when the main window is already
// shown (start-up re-run by "新建(笔录)"). With the lock on it runs
// `runLoginWindow` (the modal login window, which shows the main window on
// the right password); otherwise it shows the main window at once. Returns
// whether the main window is shown: false when the login window was closed
// without the right password, and the program must end.
bool checkLockAtStart(Form &mainWindow, const RegistryStore &store,
                      const std::function<void()> &runLoginWindow);

// The "确认密码" button. `typed` is the password as typed; the window has
// already emptied its box. Wrong: says "密码输入错误！ 重新输入..." and returns
// false (the window stays open). Right: shows the main window and returns
// true (the window closes); a plain password of an older installation is
// replaced by its hash then, and stays plain, to be replaced at the next
// login, when the store refuses that write.
bool confirmLogin(const QString &typed, Form &mainWindow, Prompter &prompter, RegistryStore &store);

// The menu item "加密": refuses while the lock is on, else runs
// `openSetPasswordWindow` (the modal set-password window, entries empty).
void enableLock(Prompter &prompter, const RegistryStore &store,
                const std::function<void()> &openSetPasswordWindow);

// The "加 密" button with the two entries. Unequal or empty entries are
// refused with a message and false (the window stays open, the entries keep
// their text). Otherwise stores the hash, then the flag "1", and says the
// lock is set; when the store refuses a write it says the lock was not
// changed, naming the store file and the cause. True: the window closes.
bool confirmNewPassword(const QString &first, const QString &second, Prompter &prompter,
                        RegistryStore &store);

// The menu item "解密": stores the flag "0" (creating the key when missing;
// the password's hash stays) and says the lock is off, or, when the store
// refuses the write, that it was not changed. Returns whether it was stored.
bool disableLock(Prompter &prompter, RegistryStore &store);

} // namespace password_lock
} // namespace tamsel
