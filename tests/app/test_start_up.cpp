#include "record_window_fixture.h"

#include "area_commands.h"
#include "command_wiring.h"
#include "menu_table.h"
#include "start_up.h"
#include "url_catcher.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QUrl>

namespace tamsel::test {

namespace {

struct StartUpCase
{
    const char *name;
    const char *settings; // nullptr: no settings file
    const char *caption;
    bool rulesShown;
    const char *place;
    const char *domicile;
};

const StartUpCase StartUpCases[] = {
    {"no_settings_file", nullptr, "", true, "", ""},
    {"caption_after_one_blank", "[biaoti]\nbiaoti1=ABC\n", " ABC", true, "", ""},
    {"places_from_the_file", "[biludidian]\ndidian1=澄梧市\ndidian2=吉林省澄梧市\n", "", true, "澄梧市", "吉林省澄梧市"},
    {"missing_place_key_empties_it", "[biludidian]\ndidian1=梧桐镇\n", "", true, "梧桐镇", ""},
    {"rules_off_with_0", "[pop]\ntanchu=0\n", "", false, "", ""},
    {"rules_off_with_blank_0", "[pop]\ntanchu= 0\n", "", false, "", ""},
    {"rules_on_with_00", "[pop]\ntanchu=00\n", "", true, "", ""},
    {"rules_on_with_no", "[pop]\ntanchu=no\n", "", true, "", ""},
    {"rules_on_when_empty", "[pop]\ntanchu=\n", "", true, "", ""},
};

class StartUp : public RecordWindowTest, public testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUp, takesWhatTheSettingsFileSays)
{
    const StartUpCase &c = GetParam();
    if (c.settings)
        writeSettings(QString::fromUtf8(c.settings));
    startedWindow();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowTitle().toStdString(), c.caption);
    EXPECT_EQ(rulesShown, c.rulesShown ? 1 : 0);
    EXPECT_EQ(text("Place").toStdString(), c.place);
    EXPECT_EQ(text("Domicile").toStdString(), c.domicile);
    EXPECT_EQ(text("Sex").toStdString(), "男");
    EXPECT_EQ(form().text(scratch::StatusMessage).toStdString(), " 程 序 版 本 V 2.3");
}

INSTANTIATE_TEST_SUITE_P(Cases, StartUp, testing::ValuesIn(StartUpCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecordWindowTest, startTimeHasNoLeadingZeros)
{
    clock.set(QDateTime(QDate(2024, 1, 3), QTime(9, 5)));
    startedWindow();
    const char *fields[] = {"StartYear", "StartMonth", "StartDay", "StartHour", "StartMinute"};
    const char *expected[] = {"2024", "1", "3", "9", "5"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text(fields[i]).toStdString(), expected[i]) << fields[i];
    EXPECT_EQ(text("EndHour").toStdString(), "");

    clock.set(QDateTime(QDate(2024, 12, 25), QTime(10, 0)));
    fillStartTime(form(), clock);
    EXPECT_EQ(text("StartMinute").toStdString(), "0");
    EXPECT_EQ(text("StartMonth").toStdString(), "12");
}

TEST(StatusLine, showsTheMessageTheDateAndTheShortenedTime)
{
    const QString message = versionText();
    const QDate day(2024, 5, 3);
    const QString prefix = message + QStringLiteral("              当前日期： 2024年5月3日    ");
    EXPECT_EQ(statusLine(message, QDateTime(day, QTime(0, 0, 0))), prefix);
    EXPECT_EQ(statusLine(message, QDateTime(day, QTime(10, 0, 0))), prefix + QStringLiteral("10时"));
    EXPECT_EQ(statusLine(message, QDateTime(day, QTime(9, 5, 7))), prefix + QStringLiteral("9时5分7秒"));
}

TEST_F(RecordWindowTest, statusClockShowsTheLastingMessage)
{
    startedWindow();
    form().setText(scratch::StatusMessage, QStringLiteral("打 印 成 功！"));
    form().setStatusText(QStringLiteral("笔录.录音开始..."));
    window().refreshStatusLine();
    EXPECT_TRUE(form().statusText().startsWith(QStringLiteral("打 印 成 功！              当前日期： 2024年1月3日")));
}

class LookTest : public RecordWindowTest
{
protected:
    QString sheetAfter(const char *look)
    {
        writeSettings(QStringLiteral("[fengge]\nfengge=%1\n").arg(QLatin1String(look)));
        window().startUp();
        return qApp->styleSheet();
    }
    void TearDown() override { qApp->setStyleSheet(QString()); }
};

TEST_F(LookTest, themedLooksAndTheSystemLook)
{
    EXPECT_TRUE(sheetAfter("1").contains(QStringLiteral("#7b9ebd")));
    EXPECT_TRUE(sheetAfter("2").contains(QStringLiteral("#a4b97f")));
    const QString silver = sheetAfter("3");
    EXPECT_TRUE(silver.contains(QStringLiteral("#c6c5d7")));
    EXPECT_EQ(sheetAfter("5"), silver) << "an unknown value changes nothing";
    EXPECT_EQ(sheetAfter("a"), silver);
    EXPECT_EQ(sheetAfter("4"), QString()) << "4 restores the system look";
}

TEST_F(RecordWindowTest, anEmptyCaptionKeepsTheOneSetBefore)
{
    writeSettings(QStringLiteral("[biaoti]\nbiaoti1=ABC\n"));
    startedWindow();
    writeSettings(QStringLiteral("[biaoti]\nbiaoti1=\n"));
    window().startUp();
    EXPECT_EQ(window().windowTitle(), QStringLiteral(" ABC"));
}

TEST_F(RecordWindowTest, startUpPlacesTheDesktopLauncher)
{
    startedWindow();
    EXPECT_TRUE(QFileInfo::exists(home.path() + QStringLiteral("/Desktop/Tamsel.desktop")));
}

TEST_F(RecordWindowTest, everyFieldIsItsKindOfControlWithItsDesignState)
{
    for (const RecordField &field : recordFields()) {
        QWidget *w = window().findChild<QWidget *>(field.control);
        ASSERT_NE(w, nullptr) << field.control.toStdString();
        switch (field.kind) {
        case FieldKind::Edit:
            EXPECT_NE(qobject_cast<QLineEdit *>(w), nullptr) << field.control.toStdString();
            break;
        case FieldKind::Combo:
            ASSERT_NE(qobject_cast<QComboBox *>(w), nullptr) << field.control.toStdString();
            EXPECT_TRUE(qobject_cast<QComboBox *>(w)->isEditable());
            EXPECT_EQ(form().items(field.control), field.presets) << field.control.toStdString();
            break;
        case FieldKind::Notes:
            EXPECT_NE(qobject_cast<QPlainTextEdit *>(w), nullptr);
            break;
        }
        EXPECT_EQ(w->geometry(), field.geometry) << field.control.toStdString();
        EXPECT_EQ(form().text(field.control), field.designText) << field.control.toStdString();
    }
    EXPECT_EQ(text("OtherContact").toStdString(), "无");
    EXPECT_EQ(form().items(QStringLiteral("组合框3")).size(), 12);
    EXPECT_EQ(form().items(QStringLiteral("组合框3")).last(), QString());
    EXPECT_EQ(form().items(QStringLiteral("组合框53")), QStringList{QString()});
}

TEST_F(RecordWindowTest, panelsStartHiddenAndThePagesOfTheFirstScreenShow)
{
    for (const char16_t *hidden : {u"分组框3", u"分组框4", u"分组框6", u"分组框5", u"分组框7", u"视频设备1", u"标签1",
                                   u"超级编辑框1", u"按钮3", u"按钮6"})
        EXPECT_FALSE(form().isVisible(QString::fromUtf16(hidden))) << QString::fromUtf16(hidden).toStdString();
    for (const char16_t *shown : {u"分组框1", u"分组框2", u"图片框1", u"按钮1", u"按钮2", u"按钮5"})
        EXPECT_TRUE(form().isVisible(QString::fromUtf16(shown)));
    EXPECT_FALSE(form().isEnabled(QStringLiteral("按钮2")));
    EXPECT_EQ(window().findChild<QLineEdit *>(QStringLiteral("编辑框22"))->echoMode(), QLineEdit::Password);
}

TEST_F(RecordWindowTest, theElevenMenusInOrder)
{
    const QList<QAction *> menus = window().menuBar()->actions();
    ASSERT_EQ(menus.size(), 11);
    const auto table = menuTable();
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(menus[i]->text(), table[i].title);
        QStringList items;
        for (QAction *item : menus[i]->menu()->actions())
            items << item->text();
        EXPECT_EQ(items, table[i].items) << table[i].title.toStdString();
    }
    EXPECT_EQ(table[4].items.size(), 19);
    EXPECT_EQ(table[5].items.size(), 27);
    EXPECT_EQ(table[6].items.size(), 23);
}

TEST_F(RecordWindowTest, theProgramBindsEveryMenuItem)
{
    wireCommands(window());
    AreaCommands commands(window());
    for (const MenuEntry &menu : menuTable()) {
        for (const QString &item : menu.items)
            EXPECT_TRUE(window().hasCommand(item)) << menu.title.toStdString() << " / " << item.toStdString();
    }
}

TEST_F(RecordWindowTest, exitStepOpensThePageOnlyForOn)
{
    struct Case
    {
        const char *control;
        bool opens;
    };
    for (const Case c : {Case{"on", true}, Case{"ON", false}, Case{"off", false}}) {
        UrlCatcher catcher;
        writeSettings(QStringLiteral("[close]\ncontrol=%1\nurl=http://example.org/page\n").arg(QLatin1String(c.control)));
        startedWindow().close();
        EXPECT_EQ(catcher.opened, c.opens ? QStringList{QStringLiteral("http://example.org/page")} : QStringList())
            << c.control;
    }
}

TEST_F(RecordWindowTest, closingAsksOnlyWhenTheRecordChangedSinceItWasKept)
{
    const QString question = QStringLiteral("这份笔录还没有保存，关闭后录入的内容将会丢失。确定要关闭吗？");
    const auto set = [this](const char *field, const QString &value) {
        form().setText(recordField(QLatin1String(field)).control, value);
    };
    wireCommands(window());
    AreaCommands commands(window());

    EXPECT_TRUE(startedWindow().close()) << "a record just started is closed without a question";

    startedWindow();
    set("WorkUnit", QStringLiteral("宏达建筑公司"));
    prompter.expectMessage(question, Prompter::Answer::Cancel, QStringLiteral("提 示："));
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(text("WorkUnit"), QStringLiteral("宏达建筑公司"));
    prompter.expectMessage(question, Prompter::Answer::Ok, QStringLiteral("提 示："));
    EXPECT_TRUE(window().close());

    // Saved, then opened again from its template after a change: kept both times.
    startedWindow();
    set("WorkUnit", QStringLiteral("宏达建筑公司"));
    set("IntervieweeName", QStringLiteral("张三"));
    set("EndHour", QStringLiteral("10"));
    set("EndMinute", QStringLiteral("30"));
    prompter.expectMessage(QStringLiteral(" 是 否 对 此 笔 录 文 件 进 行 预 览？ "), Prompter::Answer::No);
    ASSERT_TRUE(window().triggerMenuItem(QStringLiteral("保存(笔录及模板)")));
    EXPECT_TRUE(window().close());

    startedWindow();
    const QStringList templates = QDir(RunDirectory(runDir).recordFolder()).entryList({QStringLiteral("*.ini")});
    ASSERT_EQ(templates.size(), 1);
    prompter.expectFileChoice(QDir(RunDirectory(runDir).recordFolder()).filePath(templates.first()));
    ASSERT_TRUE(window().triggerMenuItem(QStringLiteral("打开(笔录模板)")));
    EXPECT_EQ(text("IntervieweeName"), QStringLiteral("张三"));
    EXPECT_TRUE(window().close());

    // "新建(笔录)" confirmed starts a record that is kept as it is.
    startedWindow();
    set("WorkUnit", QStringLiteral("宏达建筑公司"));
    prompter.expectMessage(QStringLiteral("你确认要新建一份新的笔录？"), Prompter::Answer::Ok);
    ASSERT_TRUE(window().triggerMenuItem(QStringLiteral("新建(笔录)")));
    EXPECT_TRUE(window().close());
}

TEST_F(RecordWindowTest, aRecordLeftByExitIsOfferedAtTheNextStart)
{
    const QString left = QStringLiteral("上次的笔录没有保存程序就结束了。现在恢复这份笔录吗？选“否”则放弃它。");
    startedWindow();
    int ended = 0;
    window().setProgramEnd([&ended] { ++ended; });
    form().setText(answerLine(1).control, QStringLiteral("答：欠我三个月工资"));
    ASSERT_TRUE(window().triggerMenuItem(QStringLiteral("退出")));
    EXPECT_EQ(ended, 1) << "ends at once, asking nothing";

    RecordForm next(prompter, clock, RunDirectory(runDir));
    next.setRulesWindowShower([] {});
    next.startUp();
    prompter.expectMessage(left, Prompter::Answer::Yes, QStringLiteral("提 示："));
    next.offerLeftRecord();
    EXPECT_EQ(next.form().text(answerLine(1).control), QStringLiteral("答：欠我三个月工资"));

    // Opening the safety copy as a template does not count as keeping it.
    wireCommands(next);
    prompter.expectFileChoice(RecordRecovery(RunDirectory(runDir)).file());
    ASSERT_TRUE(next.triggerMenuItem(QStringLiteral("打开(笔录模板)")));
    EXPECT_TRUE(QFileInfo::exists(RecordRecovery(RunDirectory(runDir)).file()));

    // Brought back but not saved: closing still asks, and a close on
    // purpose gives the copy up.
    prompter.expectMessage(QStringLiteral("这份笔录还没有保存，关闭后录入的内容将会丢失。确定要关闭吗？"), Prompter::Answer::Ok);
    EXPECT_TRUE(next.close());
    RecordForm third(prompter, clock, RunDirectory(runDir));
    third.setRulesWindowShower([] {});
    third.startUp();
    third.offerLeftRecord();
    EXPECT_EQ(third.form().text(answerLine(1).control), QString());
}

} // namespace
} // namespace tamsel::test
