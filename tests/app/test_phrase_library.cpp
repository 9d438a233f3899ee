#include "record_window_fixture.h"

namespace tamsel::test {
namespace {

QStringList empties(int n) { return QStringList(n, QString()); }

struct PhraseCase
{
    const char *name;
    const char *settings;
    const char *control;
    QStringList expected;
};

std::vector<PhraseCase> phraseCases()
{
    return {
        {"gaps_close_up_in_key_order", "[wenti1]\nwenti7=问：乙\nwenti3=问：甲\n", "组合框4",
         {QStringLiteral("问：甲"), QStringLiteral("问：乙"), QStringLiteral("问：")}},
        {"place_keys_keep_empty_items", "[Set1]\ndidian2=幸福村\n", "组合框2",
         QStringList{QString(), QStringLiteral("幸福村")} + empties(23)},
        {"blank_phrase_is_skipped", "[daan1]\ndaan1=   \ndaan2=答：是\n", "组合框5",
         {QStringLiteral("答：是"), QStringLiteral("答：")}},
        {"blank_name_is_an_empty_item", "[name1]\nname1=  \nname2=李明\n", "组合框53",
         QStringList{QString(), QStringLiteral("李明")} + empties(8) + QStringList{QString()}},
        {"section_name_in_capitals", "[WENTI2]\nwenti1=问：姓名？\n", "组合框6",
         {QStringLiteral("问：姓名？"), QStringLiteral("问：")}},
        {"keys_beyond_the_range_ignored", "[wenti5]\nwenti11=问：十一\n[daan5]\ndaan9=答：九\n", "组合框12",
         {QStringLiteral("问：")}},
        {"pair_3_answers_keep_their_presets", "[daan3]\ndaan1=答：工人\n", "组合框9",
         {QStringLiteral("答：工人"), QStringLiteral("答：会计"), QStringLiteral("答：农民工"), QStringLiteral("答：")}},
        {"other_participants_then_presets", "[name2]\nname1=王五\n", "组合框54",
         QStringList{QStringLiteral("王五")} + empties(9) + QStringList{QStringLiteral("无"), QString()}},
        {"page_3_top_line_is_control_37", "[wenti11]\nwenti1=问：十一\n", "组合框37",
         {QStringLiteral("问：十一"), QStringLiteral("问：")}},
        {"page_3_bottom_answer_is_control_24", "[daan17]\ndaan1=答：十七\n", "组合框24",
         {QStringLiteral("答：十七"), QStringLiteral("答：")}},
        {"page_4_second_pair_is_control_51", "[wenti19]\nwenti1=问：十九\n", "组合框51",
         {QStringLiteral("问：十九"), QStringLiteral("问：")}},
        {"no_settings_file_gives_empty_places", "", "组合框52", empties(25)},
    };
}

class PhraseLibrary : public RecordWindowTest, public testing::WithParamInterface<PhraseCase> {};

TEST_P(PhraseLibrary, listsAfterStartUp)
{
    const PhraseCase &c = GetParam();
    if (*c.settings)
        writeSettings(QString::fromUtf8(c.settings));
    startedWindow();
    const QString control = QString::fromUtf8(c.control);
    EXPECT_EQ(form().items(control), c.expected) << form().items(control).join(u'|').toStdString();
    EXPECT_EQ(form().text(control), QString()) << "loading never changes a box's text";
}

INSTANTIATE_TEST_SUITE_P(Cases, PhraseLibrary, testing::ValuesIn(phraseCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecordWindowTest, recordOrderRunsTopToBottomOnEveryPage)
{
    for (int pair = 2; pair <= PairCount; ++pair) {
        const RecordField &previous = answerLine(pair - 1);
        const RecordField &question = questionLine(pair);
        if (question.page == previous.page) {
            EXPECT_GT(question.geometry.y(), previous.geometry.y()) << "pair " << pair;
        }
        EXPECT_GT(answerLine(pair).geometry.y(), question.geometry.y()) << "pair " << pair;
    }
    EXPECT_EQ(questionLine(18).control, QStringLiteral("组合框49"));
    EXPECT_EQ(questionLine(20).control, QStringLiteral("组合框47"));
}

TEST_F(RecordWindowTest, newRecordReloadsWithoutDuplicates)
{
    writeSettings(QStringLiteral("[name3]\nname1=赵六\n[wenti1]\nwenti1=问：一\n[daan3]\ndaan1=答：工人\n"));
    startedWindow();
    window().triggerMenuItem(QStringLiteral("新建(笔录)"));
    window().triggerMenuItem(QStringLiteral("新建(笔录)"));
    EXPECT_EQ(form().items(QStringLiteral("组合框4")), (QStringList{QStringLiteral("问：一"), QStringLiteral("问：")}));
    EXPECT_EQ(form().items(QStringLiteral("组合框55")), QStringList{QStringLiteral("赵六")} + empties(9));
    EXPECT_EQ(form().items(QStringLiteral("组合框9")), (QStringList{QStringLiteral("答：工人"), QStringLiteral("答：")}));
    EXPECT_EQ(form().items(QStringLiteral("组合框2")).size(), 25);
}

} // namespace
} // namespace tamsel::test
