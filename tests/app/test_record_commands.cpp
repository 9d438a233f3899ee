#include "record_window_fixture.h"

#include "record_commands.h"

#include <QPushButton>

namespace tamsel::test {
namespace {

const QString Page1 = QStringLiteral("分组框1"), Page2 = QStringLiteral("分组框2");
const QString Page3 = QStringLiteral("分组框3"), Page4 = QStringLiteral("分组框4");
const QString Notes = QStringLiteral("分组框6");

class Navigation : public RecordWindowTest
{
protected:
    void click(const char16_t *button) { window().findChild<QPushButton *>(QString::fromUtf16(button))->click(); }
    void expectScreen(bool second)
    {
        EXPECT_EQ(form().isVisible(Page1), !second);
        EXPECT_EQ(form().isVisible(Page2), !second);
        EXPECT_EQ(form().isEnabled(QStringLiteral("按钮1")), !second);
        EXPECT_EQ(form().isEnabled(QStringLiteral("按钮2")), second);
    }
};

TEST_F(Navigation, nextAndPreviousSwitchThePairsOfPages)
{
    startedWindow();
    click(u"按钮1");
    expectScreen(true);
    EXPECT_EQ(form().geometry(Page3), QRect(1, 59, 517, 510));
    EXPECT_EQ(form().geometry(Page4), QRect(519, 59, 500, 510));
    EXPECT_TRUE(form().isVisible(Page3));
    EXPECT_TRUE(form().isVisible(Page4));

    click(u"按钮2");
    expectScreen(false);
    // Pages 3 and 4 stay shown, moved out of the window's view.
    EXPECT_EQ(form().geometry(Page3).left(), 1660);
    EXPECT_EQ(form().geometry(Page4).left(), 1660);
    EXPECT_TRUE(form().isVisible(Page3));

    click(u"按钮1");
    EXPECT_EQ(form().geometry(Page3).left(), 1);
}

TEST_F(Navigation, caseNotesCoverTheRightPageOnBothScreens)
{
    startedWindow();
    click(u"按钮5");
    EXPECT_TRUE(form().isVisible(Notes));
    EXPECT_EQ(form().geometry(Notes), QRect(519, 59, 500, 510));
    click(u"按钮1");
    EXPECT_TRUE(form().isVisible(Notes)) << "the notes stay open over page 4";
    click(u"按钮5");
    EXPECT_FALSE(form().isVisible(Notes));
}

TEST_F(RecordWindowTest, closeHidesTheTextViewer)
{
    startedWindow();
    for (const char16_t *name : {u"超级编辑框1", u"按钮3", u"按钮6"})
        form().setVisible(QString::fromUtf16(name), true);
    window().findChild<QPushButton *>(QStringLiteral("按钮3"))->click();
    for (const char16_t *name : {u"超级编辑框1", u"按钮3", u"按钮6"})
        EXPECT_FALSE(form().isVisible(QString::fromUtf16(name)));
}

TEST_F(RecordWindowTest, pickedQuestionsOfPairs2And3OfferDerivedItems)
{
    startedWindow();
    form().setText(QStringLiteral("编辑框9"), QStringLiteral("张三"));
    emit combo(QStringLiteral("组合框6"))->activated(0);
    EXPECT_EQ(form().items(QStringLiteral("组合框7")).first(), QStringLiteral("答：张三"));
    EXPECT_EQ(form().text(QStringLiteral("组合框7")), QString());

    // Before the work unit is typed the items carry nothing of it.
    emit combo(QStringLiteral("组合框8"))->activated(0);
    EXPECT_EQ(form().items(QStringLiteral("组合框9")).first(), QStringLiteral("答："));
    EXPECT_EQ(form().items(QStringLiteral("组合框10")).first(), QStringLiteral("问：负责人是谁？"));

    form().setText(QStringLiteral("编辑框14"), QStringLiteral("宏达建筑公司"));
    emit combo(QStringLiteral("组合框8"))->activated(0);
    emit combo(QStringLiteral("组合框8"))->activated(0);
    const QStringList answers = form().items(QStringLiteral("组合框9"));
    EXPECT_EQ(answers.mid(0, 2), QStringList(2, QStringLiteral("答：宏达建筑公司")));
    EXPECT_EQ(form().items(QStringLiteral("组合框10")).mid(0, 2),
              QStringList(2, QStringLiteral("问：宏达建筑公司负责人是谁？")));
}

class NewRecord : public RecordWindowTest
{
protected:
    void fillRecord(const QString &workUnit)
    {
        writeSettings(QStringLiteral("[biludidian]\ndidian1=澄梧市\n"));
        startedWindow();
        form().setText(QStringLiteral("编辑框14"), workUnit);
        form().setText(QStringLiteral("编辑框9"), QStringLiteral("张三"));
        form().setText(QStringLiteral("编辑框16"), QStringLiteral("微信"));
        form().setText(QStringLiteral("编辑框12"), QStringLiteral("护照"));
        form().setText(QStringLiteral("组合框4"), QStringLiteral("问：你叫什么？"));
        form().setText(QStringLiteral("组合框53"), QStringLiteral("李明"));
        form().setText(QStringLiteral("超级编辑框2"), QStringLiteral("欠薪三个月"));
        form().setText(scratch::ChosenFile, QStringLiteral("/tmp/x.ini"));
        form().setText(QStringLiteral("编辑框6"), QStringLiteral("11"));
        clock.set(QDateTime(QDate(2025, 6, 7), QTime(14, 30)));
    }
    void expectEmptied()
    {
        EXPECT_EQ(text("IntervieweeName"), QString());
        EXPECT_EQ(text("WorkUnit"), QString());
        EXPECT_EQ(text("OtherContact"), QString()) << "empty, not its design-time 无";
        EXPECT_EQ(text("IdType"), QStringLiteral("身份证"));
        EXPECT_EQ(text("EndHour"), QString());
        EXPECT_EQ(text("StartHour"), QStringLiteral("14"));
        EXPECT_EQ(text("StartMinute"), QStringLiteral("30"));
        EXPECT_EQ(text("Sex"), QStringLiteral("男"));
        EXPECT_EQ(text("Place"), QStringLiteral("澄梧市"));
        EXPECT_EQ(form().text(QStringLiteral("组合框4")), QString());
        EXPECT_EQ(form().text(QStringLiteral("组合框53")), QString());
        EXPECT_EQ(form().text(QStringLiteral("超级编辑框2")), QString());
        EXPECT_EQ(form().text(scratch::ChosenFile), QString());
        EXPECT_EQ(rulesShown, 2) << "the start-up runs again";
    }
};

TEST_F(NewRecord, asksWhenAWorkUnitIsFilledInAndEmptiesOnOk)
{
    fillRecord(QStringLiteral("宏达建筑公司"));
    prompter.expectMessage(QStringLiteral("你确认要新建一份新的笔录？"), Prompter::Answer::Ok, QStringLiteral("提 示："));
    window().findChild<QPushButton *>(QStringLiteral("按钮1"))->click();
    window().triggerMenuItem(QStringLiteral("新建(笔录)"));
    expectEmptied();
    EXPECT_FALSE(form().isVisible(QStringLiteral("分组框1"))) << "the screen is kept";
}

TEST_F(NewRecord, withoutAWorkUnitEmptiesWithoutAsking)
{
    fillRecord(QString());
    window().triggerMenuItem(QStringLiteral("新建(笔录)"));
    expectEmptied();
}

TEST_F(NewRecord, cancelKeepsEverything)
{
    fillRecord(QStringLiteral("宏达建筑公司"));
    prompter.expectMessage(QStringLiteral("你确认要新建一份新的笔录？"), Prompter::Answer::Cancel);
    window().triggerMenuItem(QStringLiteral("新建(笔录)"));
    EXPECT_EQ(text("WorkUnit"), QStringLiteral("宏达建筑公司"));
    EXPECT_EQ(text("OtherContact"), QStringLiteral("微信"));
    EXPECT_EQ(form().text(QStringLiteral("组合框4")), QStringLiteral("问：你叫什么？"));
    EXPECT_EQ(text("StartHour"), QStringLiteral("9"));
    EXPECT_EQ(rulesShown, 1);
}

TEST_F(RecordWindowTest, aFunctionNotYetAvailableSaysSo)
{
    startedWindow();
    prompter.expectMessage(QStringLiteral("“更新软件”功能尚未提供，暂时不能使用。"));
    EXPECT_TRUE(window().triggerMenuItem(QStringLiteral("更新软件")));
}

} // namespace
} // namespace tamsel::test
