#include "lock_test_support.h"

#include "command_wiring.h"
#include "fake_clock.h"
#include "fake_form.h"
#include "login_window.h"
#include "password_hash.h"
#include "password_lock.h"
#include "record_form.h"
#include "scripted_prompter.h"
#include "set_password_window.h"
#include "temp_home.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tamsel::test {

namespace {

using password_hash::Match;
using password_lock::FlagValue;
using password_lock::PasswordValue;

const QString Velkor = password_lock::keyPath();
const QString Wrong = QStringLiteral("密码输入错误！ 重新输入...");
const QString Attention = QStringLiteral("请 注 意：");

template <typename T>
T *control(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// Runs `step` on the first modal dialog that opens, from inside its own
// event loop, so a test drives exec() without blocking; a dialog the step
// leaves open fails the test and is closed. Polls for at most five seconds;
// the watch ends with the returned timer.
std::unique_ptr<QTimer> onModal(std::function<void(QDialog &)> step)
{
    auto poll = std::make_unique<QTimer>();
    QTimer *timer = poll.get();
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step, deadline] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            timer->stop();
            step(*dialog);
            // A window the step did not close would block the test for good.
            if (dialog->isVisible()) {
                ADD_FAILURE() << dialog->objectName().toStdString() << " left open";
                dialog->reject();
            }
        } else if (deadline.hasExpired()) {
            timer->stop();
        }
    });
    timer->start(10);
    return poll;
}

void typeAndConfirm(QDialog &dialog, const QString &typed)
{
    if (auto *box = control<QLineEdit>(dialog, "编辑框1"))
        QTest::keyClicks(box, typed);
    if (auto *button = control<QPushButton>(dialog, "按钮1"))
        QTest::mouseClick(button, Qt::LeftButton);
}

// ------------------------------------------------------------------ looks

struct ControlCase
{
    const char *window;
    const char *control;
    QRect geometry;
    const char *text; // button and label texts; nullptr for password boxes
};

const ControlCase ControlCases[] = {
    {"SetPasswordWindow", "编辑框1", {16, 13, 129, 20}, nullptr},
    {"SetPasswordWindow", "编辑框2", {16, 38, 129, 20}, nullptr},
    {"SetPasswordWindow", "按钮1", {154, 16, 88, 38}, "加 密"},
    {"LoginWindow", "标签1", {7, 2, 97, 24}, "请输入登陆密码："},
    {"LoginWindow", "编辑框1", {21, 37, 144, 20}, nullptr},
    {"LoginWindow", "按钮1", {175, 30, 88, 32}, "确认密码"},
};

class LockWindows : public testing::Test
{
protected:
    TempHome home;
    RegistryStore store;
    ScriptedPrompter prompter;
    FakeForm mainWindow;
};

TEST_F(LockWindows, lookAsTheFormsAreDrawn)
{
    SetPasswordWindow setPassword(prompter, store);
    LoginWindow login(mainWindow, prompter, store);
    struct
    {
        QDialog *window;
        const char *caption;
        QSize size;
    } windows[] = {
        {&setPassword, "请输入2次正确密码：", {262, 92}},
        {&login, "输 入 密 码：", {276, 72}},
    };
    for (const auto &w : windows) {
        SCOPED_TRACE(w.window->objectName().toStdString());
        EXPECT_EQ(w.window->windowTitle().toStdString(), w.caption);
        EXPECT_EQ(w.window->size(), w.size);
        EXPECT_TRUE(w.window->isModal());
        EXPECT_EQ(w.window->parentWidget(), nullptr);
    }
    for (const ControlCase &c : ControlCases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.control);
        QDialog &window = QLatin1String(c.window) == QLatin1String("LoginWindow") ? static_cast<QDialog &>(login)
                                                                                : setPassword;
        QWidget *w = control<QWidget>(window, c.control);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), c.geometry);
        if (c.text) {
            const auto *button = qobject_cast<QPushButton *>(w);
            const auto *label = qobject_cast<QLabel *>(w);
            EXPECT_EQ((button ? button->text() : label ? label->text() : QString()).toStdString(), c.text);
            continue;
        }
        auto *box = qobject_cast<QLineEdit *>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->echoMode(), QLineEdit::Password);
        QTest::keyClicks(box, QStringLiteral("Ab 1"));
        EXPECT_EQ(box->displayText(), QStringLiteral("****"));
    }
}

// ------------------------------------------------------------------ login

struct LoginCase
{
    const char *name;
    const char *password; // set through "加 密"; nullptr: `plain` is stored as older installations did
    QByteArray plain;
    const char *typed;
    bool opens;
};

const LoginCase LoginCases[] = {
    {"right_password", "Kao-7", {}, "Kao-7", true},
    {"other_letter_case", "Kao-7", {}, "kao-7", false},
    {"added_blank", "Kao-7", {}, "Kao-7 ", false},
    {"set_with_trailing_blank_typed_with_it", "Kao-7 ", {}, "Kao-7 ", true},
    {"set_with_trailing_blank_typed_without", "Kao-7 ", {}, "Kao-7", false},
    {"plain_with_cr_lf", nullptr, QByteArray("Kao-7\r\n"), "Kao-7", true},
    {"plain_with_terminator", nullptr, QByteArray("Kao-7\0", 6), "Kao-7", true},
    {"plain_other_letter_case", nullptr, QByteArray("Kao-7\r\n"), "KAO-7", false},
};

void PrintTo(const LoginCase &c, std::ostream *os) { *os << c.name; }

class Login : public LockWindows, public testing::WithParamInterface<LoginCase> {};

TEST_P(Login, opensOnlyForThePasswordAsSet)
{
    const LoginCase &c = GetParam();
    if (c.password) {
        prompter.expectMessage(QStringLiteral(" 加密成功！ 软件下次打开时必需输入密码。"));
        SetPasswordWindow setPassword(prompter, store);
        setPassword.show();
        QTest::keyClicks(control<QLineEdit>(setPassword, "编辑框1"), QString::fromUtf8(c.password));
        QTest::keyClicks(control<QLineEdit>(setPassword, "编辑框2"), QString::fromUtf8(c.password));
        QTest::mouseClick(control<QPushButton>(setPassword, "按钮1"), Qt::LeftButton);
        EXPECT_FALSE(setPassword.isVisible());
        EXPECT_TRUE(control<QLineEdit>(setPassword, "编辑框1")->text().isEmpty());
        EXPECT_FALSE(storeBytes(store).contains(QByteArray(c.password).trimmed()));
    } else {
        ASSERT_TRUE(store.writeRaw(Velkor, QStringLiteral("Tamsel"), "1"));
        ASSERT_TRUE(store.writeRaw(Velkor, QStringLiteral("MIMA"), c.plain));
    }
    ASSERT_TRUE(password_lock::isOn(store));

    LoginWindow login(mainWindow, prompter, store);
    login.show();
    if (!c.opens)
        prompter.expectMessage(Wrong, Prompter::Answer::Ok, Attention);
    typeAndConfirm(login, QString::fromUtf8(c.typed));

    QLineEdit *box = control<QLineEdit>(login, "编辑框1");
    EXPECT_TRUE(box->text().isEmpty()) << "the typed password stayed in the box";
    EXPECT_EQ(mainWindow.isWindowShown(), c.opens);
    EXPECT_EQ(login.isVisible(), !c.opens);
    EXPECT_EQ(login.result(), c.opens ? QDialog::Accepted : QDialog::Rejected);

    // Whatever was stored, after a login the password is only a hash.
    const QByteArray stored = lockValue(store, PasswordValue);
    if (c.opens) {
        EXPECT_TRUE(password_hash::isHash(stored)) << stored.toStdString();
        EXPECT_EQ(password_hash::check(QString::fromUtf8(c.typed), stored), Match::Hash);
    } else if (!c.password) {
        QByteArray plainRead = c.plain;
        plainRead.replace(QByteArray(1, '\0'), QByteArrayLiteral("\r\n"));
        EXPECT_EQ(stored, plainRead) << "a wrong try rewrote it";
    }
    EXPECT_TRUE(password_lock::isOn(store)) << "login changed the lock";
}

INSTANTIATE_TEST_SUITE_P(Lock, Login, testing::ValuesIn(LoginCases),
                         [](const auto &info) { return std::string(info.param.name); });

// ------------------------------------------------------- the whole program

class LockedProgram : public LockWindows
{
protected:
    LockedProgram() : runDir(home.makeRunDir()) {}

    std::unique_ptr<RecordForm> program()
    {
        auto window = std::make_unique<RecordForm>(prompter, clock, RunDirectory(runDir));
        window->setRulesWindowShower([] {});
        wireCommands(*window);
        return window;
    }

    void lockWith(const QString &password)
    {
        ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("Tamsel"), "1"));
        const Result<QByteArray> hashed = password_hash::hash(password);
        ASSERT_TRUE(hashed.ok());
        ASSERT_TRUE(store.writeText(Velkor, QStringLiteral("MIMA"), hashed.value()));
    }

    QString runDir;
    FakeClock clock;
};

TEST_F(LockedProgram, passwordSetFromTheMenuOpensTheNextStart)
{
    const QString password = QStringLiteral("Kao 7 ");
    {
        auto first = program();
        first->startUp();
        ASSERT_TRUE(first->isVisible()) << "no lock yet, yet no window";

        prompter.expectMessage(QStringLiteral(" 加密成功！ 软件下次打开时必需输入密码。"));
        const auto watch = onModal([&](QDialog &dialog) {
            EXPECT_EQ(dialog.objectName(), QStringLiteral("SetPasswordWindow"));
            QTest::keyClicks(control<QLineEdit>(dialog, "编辑框2"), password);
            typeAndConfirm(dialog, password);
        });
        ASSERT_TRUE(first->triggerMenuItem(QStringLiteral("加密")));
        EXPECT_TRUE(first->isVisible()) << "setting the lock hid the running window";
    }
    EXPECT_TRUE(password_lock::isOn(store));
    EXPECT_FALSE(storeBytes(store).contains("Kao 7"));

    auto second = program();
    bool asked = false;
    prompter.expectMessage(Wrong, Prompter::Answer::Ok, Attention);
    const auto login = onModal([&](QDialog &dialog) {
        asked = true;
        EXPECT_EQ(dialog.objectName(), QStringLiteral("LoginWindow"));
        EXPECT_FALSE(second->isVisible()) << "records shown before the password";
        typeAndConfirm(dialog, QStringLiteral("Kao 7"));
        ASSERT_TRUE(dialog.isVisible());
        typeAndConfirm(dialog, password);
    });
    second->startUp();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(second->isVisible());

    // "新建(笔录)" runs the start-up again without asking.
    bool askedAgain = false;
    const auto watch = onModal([&](QDialog &dialog) {
        askedAgain = true;
        dialog.reject();
    });
    ASSERT_TRUE(second->triggerMenuItem(QStringLiteral("新建(笔录)")));
    EXPECT_FALSE(askedAgain);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(LockedProgram, unlockFromTheMenuStartsStraightIntoTheWindow)
{
    lockWith(QStringLiteral("Kao-7"));
    {
        auto first = program();
        const auto login = onModal([](QDialog &dialog) { typeAndConfirm(dialog, QStringLiteral("Kao-7")); });
        first->startUp();
        ASSERT_TRUE(first->isVisible());
        prompter.expectMessage(QStringLiteral("软件解密成功，下次运行软件无需密码！"));
        ASSERT_TRUE(first->triggerMenuItem(QStringLiteral("解密")));
    }
    EXPECT_EQ(lockValue(store, FlagValue), "0");
    auto second = program();
    second->startUp(); // a login window here would block: nothing answers it
    EXPECT_TRUE(second->isVisible());
}

struct LeaveCase
{
    const char *name;
    std::function<void(QDialog &)> leave;
};

const LeaveCase LeaveCases[] = {
    {"close_box", [](QDialog &dialog) { dialog.close(); }},
    {"escape_key", [](QDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }},
    {"wrong_then_close_box",
     [](QDialog &dialog) {
         typeAndConfirm(dialog, QStringLiteral("wrong"));
         dialog.close();
     }},
};

void PrintTo(const LeaveCase &c, std::ostream *os) { *os << c.name; }

class LeavingLogin : public LockedProgram, public testing::WithParamInterface<LeaveCase> {};

TEST_P(LeavingLogin, endsTheProgramWithoutShowingIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    lockWith(QStringLiteral("Kao-7"));
    EXPECT_EXIT(
        {
            RecordingPrompter quiet; // answers the wrong-password message in the child
            RecordForm window(quiet, clock, RunDirectory(runDir));
            window.setRulesWindowShower([] {});
            wireCommands(window);
            const auto leave = onModal(GetParam().leave);
            window.startUp();
            // Reached only when the program went on after the window closed.
            std::fprintf(stderr, "went on, window %s\n", window.isVisible() ? "shown" : "hidden");
            std::exit(0);
        },
        testing::ExitedWithCode(EXIT_FAILURE), "");
}

INSTANTIATE_TEST_SUITE_P(Lock, LeavingLogin, testing::ValuesIn(LeaveCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tamsel::test
