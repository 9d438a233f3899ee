#include "record_document.h"
#include "record_fixture.h"
#include "recording_document_session.h"

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

QString shapeOf(const QString &line)
{
    if (line.startsWith(QStringLiteral("问：")))
        return QStringLiteral("Q");
    if (line.startsWith(QStringLiteral("答：")))
        return QStringLiteral("A");
    if (line == QString(69, u' '))
        return QStringLiteral("R");
    if (line == QStringLiteral("  被询问人签名："))
        return QStringLiteral("1");
    if (line == QStringLiteral("  询问人签名："))
        return QStringLiteral("2");
    if (line == QStringLiteral("  "))
        return QStringLiteral("_");
    return QStringLiteral("?");
}

// The lines after "笔 录 内 容：" as letters: Q question, A answer, R blank
// rule, 1 and 2 the closing lines; "|" ends the text when the last line has
// no line break.
QString pageShape(const QString &typed)
{
    QStringList lines = typed.split(QStringLiteral("\r\n"));
    const qsizetype start = lines.indexOf(QStringLiteral("笔 录 内 容："));
    QString shape;
    for (qsizetype i = start + 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (i == lines.size() - 1) {
            if (!line.isEmpty())
                shape += shapeOf(line) + u'|';
            break;
        }
        shape += shapeOf(line);
    }
    return shape;
}

QString times(const QString &s, int n) { return s.repeated(n); }

struct PageCase
{
    const char *name;
    std::vector<std::pair<int, int>> filled; // ranges of pairs
    int laterAnswerOnly;                     // a pair whose answer alone is filled; 0: none
    QString shape;
    int counterAfter;
};

std::vector<PageCase> pageCases()
{
    const QString qa = QStringLiteral("QA");
    return {
        {"all_questions_empty", {}, 0, QString(), 0},
        {"pairs_1_to_4_close_the_first_page", {{1, 4}}, 0, times(qa, 4) + QStringLiteral("12"), 0},
        {"pairs_5_to_14_close_the_second_page", {{1, 14}}, 0,
         times(qa, 4) + QStringLiteral("12") + times(qa, 10) + QStringLiteral("12|"), 0},
        {"only_pairs_1_and_2_fill_the_first_page", {{1, 2}}, 0, times(qa, 2) + times(QStringLiteral("R"), 4) + QStringLiteral("12|"), 0},
        {"a_first_page_of_3_pairs_gets_2_rules", {{1, 3}}, 0, times(qa, 3) + times(QStringLiteral("R"), 2) + QStringLiteral("12|"), 0},
        {"a_gap_carries_the_count_to_the_next_check", {{1, 3}, {5, 6}}, 0,
         times(qa, 4) + QStringLiteral("12") + qa + times(QStringLiteral("R"), 18) + QStringLiteral("12|"), 0},
        {"a_later_answer_keeps_the_line_break", {{1, 14}}, 20,
         times(qa, 4) + QStringLiteral("12") + times(qa, 10) + QStringLiteral("12"), 0},
        {"all_24_pairs_fill_8_20_20", {{1, 24}}, 0,
         times(qa, 4) + QStringLiteral("12") + times(qa, 10) + QStringLiteral("12") + times(qa, 10) + QStringLiteral("12|"), 20},
        {"a_question_alone_on_the_last_page", {{1, 4}, {24, 24}}, 0,
         times(qa, 4) + QStringLiteral("12") + qa + times(QStringLiteral("R"), 18) + QStringLiteral("12|"), 0},
    };
}

class Pagination : public testing::TestWithParam<PageCase>, public RecordFixture {};

TEST_P(Pagination, linesPerPageAndClosingLines)
{
    const PageCase &c = GetParam();
    for (const auto &[from, to] : c.filled)
        fillPairs(from, to);
    if (c.laterAnswerOnly)
        form.setText(answerLine(c.laterAnswerOnly).control, QStringLiteral("答：补充"));
    doc::RecordingDocumentSession session;
    int counter = -1;
    const Result<ComposedRecord> composed = composeRecordDocument(form, session, runDir, counter);
    ASSERT_TRUE(composed.ok()) << composed.message().toStdString();
    EXPECT_EQ(pageShape(session.typedText()).toStdString(), c.shape.toStdString());
    EXPECT_EQ(counter, c.counterAfter);
    EXPECT_FALSE(session.calls().contains(QStringLiteral("SaveDocumentAs(") + composed.value().documentPath + u')'))
        << "composing saves nothing";
}

INSTANTIATE_TEST_SUITE_P(Cases, Pagination, testing::ValuesIn(pageCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RecordDocument, theExactCallsForARecordOfOnePair)
{
    RecordFixture r;
    r.fillPairs(1, 1);
    doc::RecordingDocumentSession session;
    int counter = 0;
    ASSERT_TRUE(composeRecordDocument(r.form, session, r.runDir, counter).ok());
    const QString u1 = QStringLiteral("SetUnderline(1)"), u0 = QStringLiteral("SetUnderline(0)");
    auto t = [](const QString &text) { return QStringLiteral("TypeText(") + text + u')'; };
    auto ul = [&](const QString &text) { return QStringList{u1, t(text), u0}; };
    const QString blanks66(66, u' ');
    QStringList expected{QStringLiteral("StartWord"), QStringLiteral("AttachDocuments(0)"),
                         QStringLiteral("OpenDocument(") + r.bl(QStringLiteral("Doc.doc")) + u')',
                         QStringLiteral("SetVisible(0)"), QStringLiteral("SetAlignment(1)"),
                         QStringLiteral("SetFontSize(22)"), QStringLiteral("SetBold(1)"),
                         t(QStringLiteral("劳动保障监察询问笔录\r\n\r\n")), QStringLiteral("SetBold(0)"),
                         QStringLiteral("SetFontSize(14)"), QStringLiteral("SetAlignment(0)")};
    expected << t(QStringLiteral("笔录起至时间：")) << ul(QStringLiteral("  2024")) << t(QStringLiteral("年"))
             << ul(QStringLiteral("  12")) << t(QStringLiteral("月")) << ul(QStringLiteral("  5")) << t(QStringLiteral("日"))
             << ul(QStringLiteral("  9")) << t(QStringLiteral("时")) << ul(QStringLiteral("  5"))
             << t(QStringLiteral("分   至  ")) << ul(QStringLiteral("  10")) << t(QStringLiteral("时"))
             << ul(QStringLiteral("  30")) << t(QStringLiteral("分\r\n"));
    expected << t(QStringLiteral("笔录地点：")) << ul(QStringLiteral("澄梧市劳动监察支队") + QString(33, u' ') + QStringLiteral("\r\n"));
    expected << t(QStringLiteral("被询问人姓名：")) << ul(QStringLiteral(" 张三 ")) << t(QStringLiteral(" 性别："))
             << ul(QStringLiteral(" 男 ")) << t(QStringLiteral(" 户籍所在地："))
             << ul(QStringLiteral("吉林省澄梧市") + QString(12, u' ') + QStringLiteral("\r\n"));
    expected << t(QStringLiteral("身份证件种类：")) << ul(QStringLiteral(" 身份证 ")) << t(QStringLiteral(" 号码："))
             << ul(QString(36, u' ') + QStringLiteral("\r\n"));
    expected << t(QStringLiteral("工作单位：")) << ul(QStringLiteral("宏达建筑公司")) << t(QStringLiteral("     职务："))
             << ul(QString(62, u' ') + QStringLiteral("\r\n"));
    expected << t(QStringLiteral("电话：")) << ul(QString()) << t(QStringLiteral("   其他联系方式："))
             << ul(QStringLiteral("无") + QString(80, u' ') + QStringLiteral("\r\n"));
    expected << t(QStringLiteral("询问监察员姓名：")) << ul(QStringLiteral("  李明  ")) << t(QStringLiteral(" 其他参加人："))
             << ul(QStringLiteral("    ")) << t(QStringLiteral(" 记录人："))
             << ul(QStringLiteral("  ") + QString(17, u' ') + QStringLiteral("\r\n\r\n"));
    expected << t(QStringLiteral("笔 录 内 容：\r\n")) << u1 << t(QStringLiteral("问：第1问？") + blanks66 + QStringLiteral("\r\n"))
             << t(QStringLiteral("答：第1答。") + blanks66 + QStringLiteral("\r\n"));
    for (int i = 0; i < 6; ++i)
        expected << t(QString(69, u' ') + QStringLiteral("\r\n"));
    expected << u0 << t(QStringLiteral("  被询问人签名：\r\n")) << t(QStringLiteral("  询问人签名："));
    EXPECT_EQ(session.calls(), expected) << session.calls().join(u'\n').toStdString();
}

TEST(RecordDocument, separatorKeepsTheTimeLineWidth)
{
    const struct
    {
        const char *month, *day, *separator;
    } cases[] = {{"12", "5", "分   至  "}, {"3", "5", "分   至   "}, {"12", "25", "分  至  "}, {"07", "5", "分   至  "}};
    for (const auto &c : cases) {
        RecordFixture r;
        r.set("StartMonth", QString::fromUtf8(c.month));
        r.set("StartDay", QString::fromUtf8(c.day));
        doc::RecordingDocumentSession session;
        int counter = 0;
        ASSERT_TRUE(composeRecordDocument(r.form, session, r.runDir, counter).ok());
        EXPECT_TRUE(session.calls().contains(QStringLiteral("TypeText(%1)").arg(QString::fromUtf8(c.separator))))
            << c.month << "/" << c.day;
    }
}

TEST(RecordDocument, caseNotesLoseTheirLineBreaksInThePanelAndTheTemplate)
{
    RecordFixture r;
    const QString control = recordField(QStringLiteral("CaseNotes")).control;
    // More breaks than the old limit of 111: none may stay, or the template
    // file would be broken apart.
    r.form.setText(control, QStringLiteral("a\r\nb") + QStringLiteral("\nx").repeated(150));
    doc::RecordingDocumentSession session;
    int counter = 0;
    const Result<ComposedRecord> composed = composeRecordDocument(r.form, session, r.runDir, counter);
    ASSERT_TRUE(composed.ok());
    EXPECT_TRUE(r.form.text(control).startsWith(QStringLiteral("a  b x x")));
    EXPECT_FALSE(r.form.text(control).contains(u'\n'));
    EXPECT_EQ(composed.value().recordTemplate.value(QStringLiteral("beizu")), r.form.text(control));
    EXPECT_FALSE(session.typedText().contains(QStringLiteral("a  b"))) << "the notes are never printed";
}

TEST(RecordDocument, noFenyeSectionGivesClosingLinesOfTwoBlanks)
{
    RecordFixture r;
    r.writeSettings(QString());
    r.fillPairs(1, 4);
    doc::RecordingDocumentSession session;
    int counter = 0;
    ASSERT_TRUE(composeRecordDocument(r.form, session, r.runDir, counter).ok());
    EXPECT_EQ(pageShape(session.typedText()), QStringLiteral("QAQAQAQA__"));
}

TEST(RecordDocument, anUnsafeNameComposesNothing)
{
    RecordFixture r;
    r.set("WorkUnit", QStringLiteral("../x"));
    doc::RecordingDocumentSession session;
    int counter = 0;
    const Result<ComposedRecord> composed = composeRecordDocument(r.form, session, r.runDir, counter);
    ASSERT_FALSE(composed.ok());
    EXPECT_TRUE(composed.message().contains(QStringLiteral("工作单位")));
    EXPECT_TRUE(session.calls().isEmpty());
}

} // namespace
} // namespace tamsel::test
