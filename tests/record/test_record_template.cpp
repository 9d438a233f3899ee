#include "atomic_file.h"
#include "fake_form.h"
#include "file_size_limit.h"
#include "gbk.h"
#include "open_template.h"
#include "record_fields.h"
#include "record_file_name.h"
#include "record_recovery.h"
#include "record_template.h"
#include "run_directory.h"
#include "scripted_prompter.h"
#include "temp_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

class TemplateTest : public testing::Test
{
protected:
    TemplateTest() : runDir(home.makeRunDir())
    {
        applyDesignState(form);
        QDir(runDir.path()).mkpath(QStringLiteral("BL"));
        set("StartYear", "2013");
        set("StartMonth", "7");
        set("StartDay", "15");
        set("WorkUnit", "W");
        set("IntervieweeName", "P");
    }

    void set(const char *field, const QString &text) { form.setText(recordField(QLatin1String(field)).control, text); }
    QString bl(const QString &name) const { return QDir(runDir.recordFolder()).filePath(name); }
    Status save() { return RecordTemplate::fromForm(form).save(templatePath(form, runDir).value()); }

    TempHome home;
    RunDirectory runDir;
    FakeForm form;
};

struct NameCase
{
    const char *name;
    const char *field;
    const char *text;
    const char *file; // nullptr: refused
};

class TemplateName : public TemplateTest, public testing::WithParamInterface<NameCase> {};

TEST_P(TemplateName, fromTheFieldTextsUnchanged)
{
    const NameCase &c = GetParam();
    set(c.field, QString::fromUtf8(c.text));
    const Result<QString> path = templatePath(form, runDir);
    if (c.file) {
        ASSERT_TRUE(path.ok()) << path.message().toStdString();
        EXPECT_EQ(path.value(), bl(QString::fromUtf8(c.file)));
        EXPECT_EQ(documentPath(form, runDir).value(), bl(QString::fromUtf8(c.file)).replace(".ini", ".doc"));
    } else {
        ASSERT_FALSE(path.ok());
        EXPECT_FALSE(documentPath(form, runDir).ok());
        EXPECT_FALSE(path.message().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateName,
    testing::Values(NameCase{"plain", "WorkUnit", "W", "2013.7.15-W-P.ini"},
                    NameCase{"month_with_leading_zero", "StartMonth", "07", "2013.07.15-W-P.ini"},
                    NameCase{"chinese_and_blanks_kept", "WorkUnit", " 宏达 公司", "2013.7.15- 宏达 公司-P.ini"},
                    NameCase{"slash_refused", "WorkUnit", "a/b", nullptr},
                    NameCase{"backslash_refused", "IntervieweeName", "..\\x", nullptr},
                    NameCase{"control_character_refused", "StartDay", "1\t5", nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TemplateTest, refusedNameNamesTheFieldAndWritesNothing)
{
    set("WorkUnit", "甲/乙");
    const Result<QString> path = templatePath(form, runDir);
    ASSERT_FALSE(path.ok());
    EXPECT_TRUE(path.message().contains(QStringLiteral("工作单位"))) << path.message().toStdString();
    EXPECT_TRUE(QDir(runDir.recordFolder()).isEmpty());
}

TEST_F(TemplateTest, newFileHasTheKeysInOrderAsGbkWithCrLf)
{
    set("Place", "澄梧市");
    ASSERT_TRUE(save());
    const QByteArray bytes = readFileBytes(bl("2013.7.15-W-P.ini"));
    QByteArray expected = "[set]\r\n";
    for (const RecordField &field : recordFields())
        expected += field.templateKey.toLatin1() + '=' + gbk::encode(form.text(field.control)) + "\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(bytes.contains(gbk::encode(QStringLiteral("num8=澄梧市"))));
    EXPECT_TRUE(bytes.contains("num14=" + gbk::encode(QStringLiteral("身份证")) + "\r\n"));
}

TEST_F(TemplateTest, roundTripOfEveryFieldWithChineseAndTheLongestValue)
{
    int n = 0;
    for (const RecordField &field : recordFields()) {
        if (field.page != 1 || field.pair != 0 || field.templateKey.mid(3).toInt() > 5)
            form.setText(field.control, QStringLiteral("值%1：宏达建筑").arg(++n));
    }
    set("WorkUnit", "W");
    set("IntervieweeName", "P");
    const QString longest = QString(10239 / 2, QChar(0x5f20)) + u'a'; // 10,239 GBK bytes
    form.setText(answerLine(24).control, longest);
    ASSERT_TRUE(save());

    FakeForm back;
    applyDesignState(back);
    const Result<RecordTemplate> loaded = RecordTemplate::load(bl("2013.7.15-W-P.ini"));
    ASSERT_TRUE(loaded.ok());
    loaded.value().applyTo(back);
    for (const RecordField &field : recordFields())
        EXPECT_EQ(back.text(field.control), form.text(field.control)) << field.templateKey.toStdString();
    EXPECT_EQ(gbk::byteLength(back.text(answerLine(24).control)), 10239);
}

TEST_F(TemplateTest, existingFileKeepsItsOtherSectionsAndKeys)
{
    const QByteArray before = "; peer notes\r\n[peer]\r\nkey = kept  \r\n[set]\r\nnum1=1999\r\nextra=x\r\n\r\n[tail]\r\nz=1";
    ASSERT_TRUE(writeFileAtomically(bl("2013.7.15-W-P.ini"), before));
    ASSERT_TRUE(save());
    const QByteArray after = readFileBytes(bl("2013.7.15-W-P.ini"));
    EXPECT_TRUE(after.startsWith("; peer notes\r\n[peer]\r\nkey = kept  \r\n[set]\r\nnum1=2013\r\nextra=x\r\nnum2=7\r\n"));
    EXPECT_TRUE(after.endsWith("beizu=\r\n\r\n[tail]\r\nz=1"));
}

TEST_F(TemplateTest, savingAgainRewritesOneFileAndANewNameLeavesTheOld)
{
    ASSERT_TRUE(save());
    ASSERT_TRUE(save());
    EXPECT_EQ(QDir(runDir.recordFolder()).entryList(QDir::Files).size(), 1);
    set("IntervieweeName", "Q");
    ASSERT_TRUE(save());
    EXPECT_TRUE(QFileInfo::exists(bl("2013.7.15-W-P.ini")));
    EXPECT_TRUE(QFileInfo::exists(bl("2013.7.15-W-Q.ini")));
}

TEST_F(TemplateTest, aFailedWriteIsReportedAndTheOldFileSurvives)
{
    ASSERT_TRUE(save());
    const QByteArray before = readFileBytes(bl("2013.7.15-W-P.ini"));
    set("Place", QString(400, u'长'));
    Status written = Status::success();
    {
        FileSizeLimit full(64);
        written = save();
    }
    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(written.message().contains(QStringLiteral("2013.7.15-W-P.ini"))) << written.message().toStdString();
    EXPECT_EQ(readFileBytes(bl("2013.7.15-W-P.ini")), before);
    EXPECT_EQ(QDir(runDir.recordFolder()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST_F(TemplateTest, lineBreaksNeverEnterTheFile)
{
    form.setText(recordField(QStringLiteral("CaseNotes")).control, QStringLiteral("a\r\nb"));
    ASSERT_TRUE(save());
    EXPECT_EQ(RecordTemplate::load(bl("2013.7.15-W-P.ini")).value().value(QStringLiteral("beizu")),
              QStringLiteral("a  b"));
}

class OpenTemplate : public TemplateTest
{
protected:
    ScriptedPrompter prompter;
};

TEST_F(OpenTemplate, fillsEveryControlAndEmptiesTheKeysItLacks)
{
    const QString path = bl("t.ini");
    writeGbkFile(path, QStringLiteral("[SET]\nnum10=李四\nnum26=答：有工资欠条\nnum61=问：还有什么补充？\nbeizu=多行 备注\n"));
    prompter.expectFileChoice(path);
    EXPECT_TRUE(openRecordTemplate(form, prompter, runDir));
    EXPECT_EQ(form.text(QStringLiteral("编辑框9")), QStringLiteral("李四"));
    EXPECT_EQ(form.text(QStringLiteral("组合框6")), QString()) << "answer without question read back unchanged";
    EXPECT_EQ(form.text(QStringLiteral("组合框7")), QStringLiteral("答：有工资欠条"));
    EXPECT_EQ(form.text(QStringLiteral("组合框47")), QStringLiteral("问：还有什么补充？"));
    EXPECT_EQ(form.text(QStringLiteral("超级编辑框2")), QStringLiteral("多行 备注"));
    EXPECT_EQ(form.text(QStringLiteral("编辑框12")), QString()) << "a missing key empties its field";
    EXPECT_EQ(form.text(QStringLiteral("编辑框14")), QString());
    EXPECT_EQ(form.text(scratch::ChosenFile), path);
}

TEST_F(OpenTemplate, aFileThatIsNotATemplateLeavesTheRecordAsItWas)
{
    writeGbkFile(bl("notes.ini"), QStringLiteral("just some text\n[other]\nnum1=1\n"));
    const struct
    {
        QString path;
        QString message;
    } cases[] = {
        {bl("missing.ini"), QStringLiteral("无法读取笔录模板文件 %1。 笔录没有改动。").arg(bl("missing.ini"))},
        {bl("notes.ini"), QStringLiteral("%1 不是笔录模板文件（文件中没有 [set] 节）。 笔录没有改动。").arg(bl("notes.ini"))},
    };
    for (const auto &c : cases) {
        prompter.expectFileChoice(c.path);
        prompter.expectMessage(c.message, Prompter::Answer::Ok, QStringLiteral("提示："));
        EXPECT_FALSE(openRecordTemplate(form, prompter, runDir));
        EXPECT_EQ(form.text(QStringLiteral("编辑框14")), QStringLiteral("W"));
        EXPECT_EQ(form.text(QStringLiteral("编辑框12")), QStringLiteral("身份证"));
    }
}

TEST_F(OpenTemplate, noChoiceNamesTheRecordFolder)
{
    prompter.expectFileChoice(QString());
    prompter.expectMessage(QStringLiteral(" 没有选择正确的笔录模板 *.ini文件，模板文件保存在 <%1/BL/> 目录中。").arg(runDir.path()),
                           Prompter::Answer::Ok, QStringLiteral("提示："));
    EXPECT_FALSE(openRecordTemplate(form, prompter, runDir));
    EXPECT_EQ(form.text(QStringLiteral("编辑框14")), QStringLiteral("W"));
}

class Recovery : public TemplateTest
{
protected:
    const QString question = QStringLiteral("上次的笔录没有保存程序就结束了。现在恢复这份笔录吗？选“否”则放弃它。");
    ScriptedPrompter prompter;
    RecordRecovery recovery{runDir};
};

TEST_F(Recovery, aLeftRecordIsOfferedAndComesBackOnYes)
{
    set("Answer1", QStringLiteral("答：欠我三个月工资"));
    ASSERT_TRUE(recovery.write(RecordTemplate::fromForm(form)));
    EXPECT_EQ(recovery.file(), bl(QStringLiteral("未保存笔录.ini")));

    FakeForm next;
    applyDesignState(next);
    prompter.expectMessage(question, Prompter::Answer::Yes, QStringLiteral("提 示："));
    RecordRecovery atStart(runDir);
    EXPECT_TRUE(atStart.offer(next, prompter));
    EXPECT_EQ(RecordTemplate::fromForm(next).values(), RecordTemplate::fromForm(form).values());
    EXPECT_TRUE(QFileInfo::exists(atStart.file())) << "kept until the record is saved";

    atStart.discard();
    EXPECT_FALSE(QFileInfo::exists(atStart.file()));
    EXPECT_FALSE(atStart.offer(next, prompter)) << "nothing left, nothing asked";
}

TEST_F(Recovery, noGivesItUpAndADamagedFileIsDroppedWithoutAQuestion)
{
    ASSERT_TRUE(recovery.write(RecordTemplate::fromForm(form)));
    FakeForm next;
    applyDesignState(next);
    prompter.expectMessage(question, Prompter::Answer::No);
    EXPECT_FALSE(recovery.offer(next, prompter));
    EXPECT_EQ(next.text(recordField(QStringLiteral("WorkUnit")).control), QString());
    EXPECT_FALSE(QFileInfo::exists(recovery.file()));

    writeGbkFile(recovery.file(), QStringLiteral("not a template\n"));
    EXPECT_FALSE(recovery.offer(next, prompter));
    EXPECT_FALSE(QFileInfo::exists(recovery.file()));
}

TEST_F(Recovery, aWriteThatFailsLeavesTheLastCopy)
{
    ASSERT_TRUE(recovery.write(RecordTemplate::fromForm(form)));
    const QByteArray before = readFileBytes(recovery.file());
    set("Question3", QString(3000, u'问'));
    {
        FileSizeLimit full(512);
        EXPECT_FALSE(recovery.write(RecordTemplate::fromForm(form)));
    }
    EXPECT_EQ(readFileBytes(recovery.file()), before);
}

} // namespace
} // namespace tamsel::test
