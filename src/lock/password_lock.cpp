#include "password_lock.h"

#include "form.h"
#include "password_hash.h"
#include "prompter.h"
#include "registry_store.h"

#include <QDir>
#include <QFileInfo>

namespace tamsel::password_lock {

namespace {

const QString Notice = QStringLiteral("提 示：");

QString flagName() { return QString::fromUtf16(FlagValue); }
QString passwordName() { return QString::fromUtf16(PasswordValue); }

// The store only says that a write failed; look at its file and folder for
// the likely cause, so the officer (or whoever helps) knows what to fix.
QString refusalCause(const QString &storeFile)
{
    const QFileInfo file(storeFile);
    if (file.isDir())
        return QStringLiteral("该位置被一个文件夹占用");
    QFileInfo folder(file.absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("%1 不是文件夹").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("没有写入该文件的权限");
    if (!folder.isWritable())
        return QStringLiteral("没有写入文件夹 %1 的权限").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    return QStringLiteral("磁盘已满或文件正被占用");
}

QString writeRefused(const RegistryStore &store)
{
    return QStringLiteral("无法写入 %1（%2）")
        .arg(QDir::toNativeSeparators(store.storeFile()), refusalCause(store.storeFile()));
}

void sayNotChanged(Prompter &prompter, const QString &what, const QString &cause)
{
    prompter.inform(QStringLiteral("%1未成功：%2，软件的密码设置没有改变。").arg(what, cause), Notice);
}

} // namespace

QString keyPath()
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor");
}

bool isOn(const RegistryStore &store)
{
    return store.readText(keyPath(), flagName()).startsWith('1');
}

bool checkLockAtStart(Form &mainWindow, const RegistryStore &store,
                      const std::function<void()> &runLoginWindow)
{
    if (mainWindow.isWindowShown())
        return true;
    if (!isOn(store)) {
        mainWindow.showWindow();
        return true;
    }
    // Only the right password shows the main window; any other way out of
    // the login window leaves it hidden.
    runLoginWindow();
    return mainWindow.isWindowShown();
}

bool confirmLogin(const QString &typed, Form &mainWindow, Prompter &prompter, RegistryStore &store)
{
    QByteArray stored = store.readText(keyPath(), passwordName());
    const password_hash::Match match = password_hash::check(typed, stored);
    const bool plainStored = !stored.isEmpty() && match == password_hash::Match::Legacy;
    password_hash::wipe(stored);
    if (match == password_hash::Match::No) {
        prompter.inform(QStringLiteral("密码输入错误！ 重新输入..."), QStringLiteral("请 注 意："));
        return false;
    }
    // The plain password of an older installation gives way to its hash now
    // that the officer has shown to know it.
    if (plainStored) {
        if (const Result<QByteArray> hashed = password_hash::hash(typed))
            store.writeText(keyPath(), passwordName(), hashed.value());
    }
    mainWindow.showWindow();
    return true;
}

void enableLock(Prompter &prompter, const RegistryStore &store,
                const std::function<void()> &openSetPasswordWindow)
{
    if (isOn(store)) {
        prompter.inform(QStringLiteral(" 软件以经加过密码了！"), Notice);
        return;
    }
    openSetPasswordWindow();
}

bool confirmNewPassword(const QString &first, const QString &second, Prompter &prompter,
                        RegistryStore &store)
{
    if (first.isEmpty() || first != second) {
        prompter.inform(QStringLiteral(" 没有输入密码 或 2遍密码输入不相符！"), QStringLiteral("请 检 查："));
        return false;
    }
    const QString what = QStringLiteral("加密");
    const Result<QByteArray> hashed = password_hash::hash(first);
    if (!hashed) {
        sayNotChanged(prompter, what, hashed.message());
        return true;
    }
    // The hash goes in before the flag: should the flag then be refused, the
    // lock stays off, and never turns on over a password that is not stored.
    if (!store.writeText(keyPath(), passwordName(), hashed.value())
        || !store.writeText(keyPath(), flagName(), "1")) {
        sayNotChanged(prompter, what, writeRefused(store));
        return true;
    }
    prompter.inform(QStringLiteral(" 加密成功！ 软件下次打开时必需输入密码。"), Notice);
    return true;
}

bool disableLock(Prompter &prompter, RegistryStore &store)
{
    if (!store.writeText(keyPath(), flagName(), "0")) {
        sayNotChanged(prompter, QStringLiteral("解密"), writeRefused(store));
        return false;
    }
    prompter.inform(QStringLiteral("软件解密成功，下次运行软件无需密码！"), Notice);
    return true;
}

} // namespace tamsel::password_lock
