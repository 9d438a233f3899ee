#include "lock_test_support.h"

#include "fake_form.h"
#include "file_size_limit.h"
#include "gbk.h"
#include "password_hash.h"
#include "password_lock.h"
#include "registry_store.h"
#include "scripted_prompter.h"
#include "temp_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tamsel::test {

namespace {

using password_hash::Match;
using password_lock::FlagValue;
using password_lock::PasswordValue;

const QString Velkor = password_lock::keyPath();
const QString Notice = QStringLiteral("提 示：");
const QString SetDone = QStringLiteral(" 加密成功！ 软件下次打开时必需输入密码。");
const QString Unset = QStringLiteral("软件解密成功，下次运行软件无需密码！");
const QString Mismatch = QStringLiteral(" 没有输入密码 或 2遍密码输入不相符！");

class LockTest : public testing::Test
{
protected:
    // Sets a password the way the officer does: "加密", then "加 密" in the window.
    void setPassword(const QString &password)
    {
        prompter.expectMessage(SetDone, Prompter::Answer::Ok, Notice);
        bool opened = false;
        password_lock::enableLock(prompter, store, [&] {
            opened = true;
            EXPECT_TRUE(password_lock::confirmNewPassword(password, password, prompter, store));
        });
        ASSERT_TRUE(opened);
    }

    TempHome home;
    RegistryStore store;
    ScriptedPrompter prompter;
    FakeForm mainWindow;
};

struct FlagCase
{
    const char *name;
    const char *stored; // nullptr: no key at all
    qsizetype length;
    bool on;
};

const FlagCase FlagCases[] = {
    {"one_with_terminator", "1\0", 2, true},
    {"one_with_cr_lf", "1\r\n", 3, true},
    {"ten", "10", 2, true},
    {"one", "1", 1, true},
    {"zero", "0", 1, false},
    {"empty", "", 0, false},
    {"blank_then_one", " 1", 2, false},
    {"no_key", nullptr, 0, false},
};

void PrintTo(const FlagCase &c, std::ostream *os) { *os << c.name; }

class LockFlag : public LockTest, public testing::WithParamInterface<FlagCase> {};

TEST_P(LockFlag, onlyAFirstOneAsksForThePassword)
{
    const FlagCase &c = GetParam();
    if (c.stored) {
        ASSERT_TRUE(store.writeRaw(Velkor, QStringLiteral("Tamsel"), QByteArray(c.stored, c.length)));
    }
    EXPECT_EQ(password_lock::isOn(store), c.on);

    int loginsShown = 0;
    const bool goesOn = password_lock::checkLockAtStart(mainWindow, store, [&] { ++loginsShown; });
    EXPECT_EQ(loginsShown, c.on ? 1 : 0);
    // A login window closed without the right password leaves the window
    // hidden, and the program must not go on.
    EXPECT_EQ(mainWindow.isWindowShown(), !c.on);
    EXPECT_EQ(goesOn, !c.on);
    EXPECT_FALSE(store.keyExists(Velkor) && !c.stored) << "the check created the key";
}

INSTANTIATE_TEST_SUITE_P(Lock, LockFlag, testing::ValuesIn(FlagCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LockTest, aShownWindowIsNeverAskedAgain)
{
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
    mainWindow.showWindow(); // start-up re-run by "新建(笔录)"
    int loginsShown = 0;
    EXPECT_TRUE(password_lock::checkLockAtStart(mainWindow, store, [&] { ++loginsShown; }));
    EXPECT_EQ(loginsShown, 0);
}

TEST_F(LockTest, unlockWithoutKeyCreatesItOff)
{
    ASSERT_FALSE(store.keyExists(Velkor));
    prompter.expectMessage(Unset, Prompter::Answer::Ok, Notice);
    EXPECT_TRUE(password_lock::disableLock(prompter, store));
    EXPECT_EQ(lockValue(store, FlagValue), "0");
    EXPECT_EQ(lockValue(store, PasswordValue), "");
}

struct EntriesCase
{
    const char *name;
    const char *first;
    const char *second;
    bool accepted;
};

const EntriesCase EntriesCases[] = {
    {"equal", "Kao-7", "Kao-7", true},
    {"equal_chinese_with_blank", "监察 2026", "监察 2026", true},
    {"one_character_differs", "Kao-7", "Kao-8", false},
    {"letter_case_differs", "Kao-7", "kao-7", false},
    {"second_has_added_blank", "Kao-7", "Kao-7 ", false},
    {"both_empty", "", "", false},
    {"second_empty", "Kao-7", "", false},
};

void PrintTo(const EntriesCase &c, std::ostream *os) { *os << c.name; }

class LockEntries : public LockTest, public testing::WithParamInterface<EntriesCase> {};

TEST_P(LockEntries, onlyTwoEqualEntriesSetTheLock)
{
    const EntriesCase &c = GetParam();
    const QString first = QString::fromUtf8(c.first), second = QString::fromUtf8(c.second);
    if (c.accepted)
        prompter.expectMessage(SetDone, Prompter::Answer::Ok, Notice);
    else
        prompter.expectMessage(Mismatch, Prompter::Answer::Ok, QStringLiteral("请 检 查："));

    EXPECT_EQ(password_lock::confirmNewPassword(first, second, prompter, store), c.accepted);

    if (!c.accepted) {
        EXPECT_FALSE(QFileInfo::exists(store.storeFile())) << "something was written";
        return;
    }
    EXPECT_EQ(lockValue(store, FlagValue), "1");
    EXPECT_EQ(password_hash::check(first, lockValue(store, PasswordValue)), Match::Hash);
}

INSTANTIATE_TEST_SUITE_P(Lock, LockEntries, testing::ValuesIn(EntriesCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LockTest, lockOnRefusesANewPasswordUntilUnlocked)
{
    setPassword(QStringLiteral("Kao-7"));

    prompter.expectMessage(QStringLiteral(" 软件以经加过密码了！"), Prompter::Answer::Ok, Notice);
    password_lock::enableLock(prompter, store, [] { ADD_FAILURE() << "window opened while on"; });

    prompter.expectMessage(Unset, Prompter::Answer::Ok, Notice);
    ASSERT_TRUE(password_lock::disableLock(prompter, store));
    EXPECT_FALSE(password_lock::isOn(store));
    // The password stays stored while the lock is off.
    EXPECT_EQ(password_hash::check(QStringLiteral("Kao-7"), lockValue(store, PasswordValue)), Match::Hash);

    setPassword(QStringLiteral("Neu-8"));
    EXPECT_TRUE(password_lock::isOn(store));
    const QByteArray stored = lockValue(store, PasswordValue);
    EXPECT_EQ(password_hash::check(QStringLiteral("Neu-8"), stored), Match::Hash);
    EXPECT_EQ(password_hash::check(QStringLiteral("Kao-7"), stored), Match::No);
}

TEST_F(LockTest, storeNeverHoldsThePassword)
{
    for (const QString &password : {QStringLiteral("Kao-7-secret"), QStringLiteral("劳动监察口令")}) {
        if (password_lock::isOn(store)) {
            prompter.expectMessage(Unset, Prompter::Answer::Ok, Notice);
            password_lock::disableLock(prompter, store);
        }
        setPassword(password);
        const QByteArray raw = storeBytes(store);
        ASSERT_FALSE(raw.isEmpty());
        for (const QByteArray &form : {password.toUtf8(), gbk::encode(password),
                                       password.toUtf8().toPercentEncoding(),
                                       gbk::encode(password).toPercentEncoding()}) {
            EXPECT_FALSE(raw.contains(form)) << password.toStdString() << " found as " << form.toStdString();
        }
    }
}

TEST_F(LockTest, rightPasswordShowsTheWindowAndReplacesAPlainOne)
{
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
    ASSERT_TRUE(store.writeRaw(Velkor, QStringLiteral("MIMA"), QByteArray("Kao-7\0", 6)));

    prompter.expectMessage(QStringLiteral("密码输入错误！ 重新输入..."), Prompter::Answer::Ok,
                           QStringLiteral("请 注 意："));
    EXPECT_FALSE(password_lock::confirmLogin(QStringLiteral("kao-7"), mainWindow, prompter, store));
    EXPECT_FALSE(mainWindow.isWindowShown());
    EXPECT_EQ(lockValue(store, PasswordValue), "Kao-7\r\n") << "a wrong try changed the store";

    EXPECT_TRUE(password_lock::confirmLogin(QStringLiteral("Kao-7"), mainWindow, prompter, store));
    EXPECT_TRUE(mainWindow.isWindowShown());
    const QByteArray stored = lockValue(store, PasswordValue);
    EXPECT_TRUE(password_hash::isHash(stored)) << stored.toStdString();
    EXPECT_FALSE(storeBytes(store).contains("Kao-7"));
    EXPECT_EQ(password_hash::check(QStringLiteral("Kao-7"), stored), Match::Hash);
    EXPECT_EQ(lockValue(store, FlagValue), "1") << "login changed the lock";
}

// Commands run against a store that refuses every write, as a full disk or a
// folder without write permission does.
struct RefusedCase
{
    const char *name;
    bool lockOnBefore;
    bool setPassword; // "加 密" with two equal entries, else "解密"
};

const RefusedCase RefusedCases[] = {
    {"set_password", false, true},
    {"unlock", true, false},
};

void PrintTo(const RefusedCase &c, std::ostream *os) { *os << c.name; }

class LockRefused : public testing::TestWithParam<RefusedCase>
{
protected:
    TempHome home;
    RegistryStore store;
    RecordingPrompter prompter;
};

TEST_P(LockRefused, saysTheLockIsUnchangedAndItIs)
{
    const RefusedCase &c = GetParam();
    ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), c.lockOnBefore ? "1" : "0"));
    const QByteArray before = storeBytes(store);
    {
        FileSizeLimit fullDisk(16);
        if (c.setPassword)
            EXPECT_TRUE(password_lock::confirmNewPassword(QStringLiteral("Kao-7"), QStringLiteral("Kao-7"),
                                                          prompter, store));
        else
            EXPECT_FALSE(password_lock::disableLock(prompter, store));
    }
    ASSERT_EQ(prompter.shown.size(), 1u);
    const RecordingPrompter::Shown &shown = prompter.shown.front();
    EXPECT_EQ(shown.caption, Notice);
    EXPECT_NE(shown.text, SetDone);
    EXPECT_NE(shown.text, Unset);
    EXPECT_TRUE(shown.text.contains(QStringLiteral("未成功"))) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(store.storeFile())) << shown.text.toStdString();
    EXPECT_EQ(password_lock::isOn(store), c.lockOnBefore);
    EXPECT_EQ(storeBytes(store), before);
}

INSTANTIATE_TEST_SUITE_P(Lock, LockRefused, testing::ValuesIn(RefusedCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LockRefusedWhy, namesAFolderInTheStoresPlace)
{
    TempHome home;
    RegistryStore blocked(home.path() + QStringLiteral("/blocked/registry"));
    ASSERT_TRUE(QDir().mkpath(blocked.storeFile()));
    RecordingPrompter prompter;
    EXPECT_FALSE(password_lock::disableLock(prompter, blocked));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown.front().text.contains(QStringLiteral("文件夹"))) << prompter.shown.front().text.toStdString();
}

} // namespace
} // namespace tamsel::test
