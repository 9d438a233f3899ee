// The form description language: each case is a small description and what
// the document must hold, or the line an error must name.
#include "form_catalogue.h"
#include "form_description.h"
#include "gbk.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace tamsel;
using doc::Alignment;

namespace {

const doc::Paragraph &paragraphAt(const doc::Document &document, size_t index)
{
    return std::get<doc::Paragraph>(document.body.at(index));
}

doc::Run run(const char *text, bool bold = false, bool underline = false, double size = 14)
{
    doc::RunFormat format;
    format.bold = bold;
    format.underline = underline;
    format.sizePt = size;
    return doc::Run{QString::fromUtf8(text), format};
}

int textWidth()
{
    const doc::PageSetup page;
    return page.pageWidthTwips - page.marginLeftTwips - page.marginRightTwips;
}

struct ParseCase
{
    const char *name;
    const char *text;
    std::function<void(const doc::Document &)> check;
};

void PrintTo(const ParseCase &c, std::ostream *os)
{
    *os << c.name;
}

class FormParse : public testing::TestWithParam<ParseCase>
{};

TEST_P(FormParse, buildsTheDocument)
{
    const auto parsed = parseFormDescription(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(parsed.ok()) << parsed.message().toStdString();
    GetParam().check(parsed.value());
}

const ParseCase kParseCases[] = {
    {"title_is_centred_bold_22pt", "# a comment\n= 举报登记表\n",
     [](const doc::Document &d) {
         ASSERT_EQ(d.body.size(), 1u);
         const auto &title = paragraphAt(d, 0);
         EXPECT_EQ(title.alignment, Alignment::Center);
         EXPECT_EQ(title.runs, std::vector{run("举报登记表", true, false, 22)});
         EXPECT_EQ(formTitle(d), QStringLiteral("举报登记表"));
         doc::PageSetup a4WithoutGrid;
         a4WithoutGrid.lineGrid = false;
         EXPECT_EQ(d.page, a4WithoutGrid);
     }},
    {"inline_bold_underline_and_blank", "甲**乙**__丙__丁_3_戊_x_",
     [](const doc::Document &d) {
         EXPECT_EQ(paragraphAt(d, 0).runs,
                   (std::vector{run("甲"), run("乙", true), run("丙", false, true), run("丁"),
                                run("　 ", false, true), run("戊_x_")}));
     }},
    {"blank_inside_bold_stays_bold", "**名称：_2_**",
     [](const doc::Document &d) {
         EXPECT_EQ(paragraphAt(d, 0).runs, (std::vector{run("名称：", true), run("　", true, true)}));
     }},
    {"alignment_size_indent_and_empty_line", "@size 12\n^ 中\n> 右\n\n　　左\n^\n",
     [](const doc::Document &d) {
         ASSERT_EQ(d.body.size(), 5u);
         EXPECT_EQ(paragraphAt(d, 0).alignment, Alignment::Center);
         EXPECT_EQ(paragraphAt(d, 0).runs, std::vector{run("中", false, false, 12)});
         EXPECT_EQ(paragraphAt(d, 1).alignment, Alignment::Right);
         EXPECT_TRUE(paragraphAt(d, 2).runs.empty());
         EXPECT_EQ(paragraphAt(d, 3).alignment, Alignment::Left);
         EXPECT_EQ(paragraphAt(d, 3).runs, std::vector{run("　　左", false, false, 12)});
         EXPECT_TRUE(paragraphAt(d, 4).runs.empty());
         EXPECT_EQ(paragraphAt(d, 4).alignment, Alignment::Center);
     }},
    {"page_break_marks_the_next_paragraph_only", "甲\n---page---\n乙\n丙",
     [](const doc::Document &d) {
         ASSERT_EQ(d.body.size(), 3u);
         EXPECT_FALSE(paragraphAt(d, 0).pageBreakBefore);
         EXPECT_TRUE(paragraphAt(d, 1).pageBreakBefore);
         EXPECT_FALSE(paragraphAt(d, 2).pageBreakBefore);
     }},
    {"table_widths_merge_height_and_cell_paragraphs",
     "@size 12\n[table 20,30,50]\n# between rows\n| ^ 案由 | < | 一\\\\ > 签名：**甲** | @40\n|  | _4_ | 乙 |\n[/table]\n",
     [](const doc::Document &d) {
         ASSERT_EQ(d.body.size(), 1u);
         const auto &table = std::get<doc::Table>(d.body[0]);
         EXPECT_TRUE(table.borders);
         ASSERT_EQ(table.rows.size(), 2u);
         const auto &row = table.rows[0];
         ASSERT_EQ(row.cells.size(), 3u);
         EXPECT_EQ(row.minHeightTwips, 2268); // 40 mm
         EXPECT_EQ(table.rows[1].minHeightTwips, 0);
         int sum = 0;
         const int percents[] = {20, 30, 50};
         for (size_t i = 0; i < 3; ++i) {
             EXPECT_NEAR(row.cells[i].widthTwips, textWidth() * percents[i] / 100.0, 1.0) << i;
             EXPECT_EQ(row.cells[i].widthTwips, table.rows[1].cells[i].widthTwips);
             sum += row.cells[i].widthTwips;
         }
         EXPECT_EQ(sum, textWidth());
         EXPECT_EQ(row.cells[0].paragraphs.at(0).alignment, Alignment::Center);
         EXPECT_EQ(row.cells[0].paragraphs.at(0).runs, std::vector{run("案由", false, false, 12)});
         EXPECT_FALSE(row.cells[0].mergedWithPrevious);
         EXPECT_TRUE(row.cells[1].mergedWithPrevious);
         EXPECT_TRUE(row.cells[1].paragraphs.empty());
         ASSERT_EQ(row.cells[2].paragraphs.size(), 2u);
         EXPECT_EQ(row.cells[2].paragraphs[1].alignment, Alignment::Right);
         EXPECT_EQ(row.cells[2].paragraphs[1].runs,
                   (std::vector{run("签名：", false, false, 12), run("甲", true, false, 12)}));
         const auto &second = table.rows[1].cells;
         ASSERT_EQ(second[0].paragraphs.size(), 1u);
         EXPECT_TRUE(second[0].paragraphs[0].runs.empty());
         EXPECT_EQ(second[1].paragraphs[0].runs, std::vector{run("　　", false, true, 12)});
     }},
    {"noborder_table", "[table 50,50 noborder]\n| 甲 | 乙 |\n[/table]",
     [](const doc::Document &d) { EXPECT_FALSE(std::get<doc::Table>(d.body.at(0)).borders); }},
    {"footer_paragraphs", "正文\n@footer ^ 第__  __页\n",
     [](const doc::Document &d) {
         ASSERT_EQ(d.footer.size(), 1u);
         EXPECT_EQ(d.footer[0].alignment, Alignment::Center);
         EXPECT_EQ(d.footer[0].runs, (std::vector{run("第"), run("  ", false, true), run("页")}));
         EXPECT_EQ(d.body.size(), 1u);
     }},
    {"crlf_and_bom", "\xEF\xBB\xBF= 标题\r\n正文\r\n",
     [](const doc::Document &d) {
         ASSERT_EQ(d.body.size(), 2u);
         EXPECT_EQ(formTitle(d), QStringLiteral("标题"));
     }},
};

INSTANTIATE_TEST_SUITE_P(FormDescription, FormParse, testing::ValuesIn(kParseCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ErrorCase
{
    const char *name;
    const char *text;
    const char *message; // the whole message, with the source name "t.form"
};

void PrintTo(const ErrorCase &c, std::ostream *os)
{
    *os << c.name;
}

class FormParseError : public testing::TestWithParam<ErrorCase>
{};

TEST_P(FormParseError, namesTheLine)
{
    const auto parsed = parseFormDescription(QString::fromUtf8(GetParam().text), QStringLiteral("t.form"));
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.message().toStdString(), GetParam().message);
}

const ErrorCase kErrorCases[] = {
    {"bold_not_closed", "= 标题\n甲**乙", "t.form line 2: \"**\" is not closed"},
    {"underline_not_closed", "甲\n\n__乙", "t.form line 3: \"__\" is not closed"},
    {"widths_not_100", "[table 20,30]\n| a | b |\n[/table]", "t.form line 1: column widths sum to 50, not 100"},
    {"row_with_too_few_cells", "[table 50,50]\n| a |\n[/table]", "t.form line 2: the row has 1 cells, the table 2 columns"},
    {"first_cell_merges", "[table 50,50]\n| < | b |\n[/table]",
     "t.form line 2: the first cell of a row cannot merge with a cell on its left"},
    {"unclosed_mark_in_cell", "[table 50,50]\n| a | b\\\\ **c |\n[/table]", "t.form line 2: cell 2: \"**\" is not closed"},
    {"table_not_closed", "甲\n[table 100]\n| a |", "t.form line 2: the table is not closed by \"[/table]\""},
    {"text_inside_table", "[table 100]\n| a |\n甲\n[/table]",
     "t.form line 3: inside a table only rows (\"| … |\") and \"[/table]\" may stand"},
    {"bad_row_height", "[table 100]\n| a | 40\n[/table]",
     "t.form line 2: after the last \"|\" only a row height like \"@20\" (millimetres) may stand"},
    {"page_break_at_end", "甲\n---page---\n", "t.form line 2: a page break with no paragraph after it"},
    {"page_break_before_table", "---page---\n[table 100]\n| a |\n[/table]",
     "t.form line 2: a page break must be followed by a paragraph, not a table"},
    {"unknown_directive", "@sise 12", "t.form line 1: unknown directive \"@sise\""},
    {"size_out_of_range", "@size 200", "t.form line 1: \"@size\" needs a size in points from 5 to 72"},
    {"blank_of_zero", "甲_0_", "t.form line 1: a blank of 0 spaces (1 to 200 allowed)"},
};

INSTANTIATE_TEST_SUITE_P(FormDescription, FormParseError, testing::ValuesIn(kErrorCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FormDescription, collectedVolumeListsAndAppendsEveryFormOnItsOwnPage)
{
    const auto cover = parseFormDescription(QStringLiteral("= 大全\n^ 目录"));
    const auto first = parseFormDescription(QStringLiteral("= 甲表\n正文一\n@footer 页脚"));
    const auto second = parseFormDescription(QStringLiteral("= 乙表\n[table 100]\n| 格 |\n[/table]"));
    ASSERT_TRUE(cover.ok() && first.ok() && second.ok());

    const doc::Document volume = collectForms(cover.value(), {first.value(), second.value()});
    EXPECT_EQ(doc::plainText(volume),
              QStringLiteral("大全\n目录\n　　1．甲表\n　　2．乙表\n甲表\n正文一\n乙表\n格"));
    EXPECT_TRUE(volume.footer.empty());
    int breaks = 0;
    for (const auto &block : volume.body) {
        if (const auto *p = std::get_if<doc::Paragraph>(&block); p && p->pageBreakBefore) {
            ++breaks;
            EXPECT_TRUE(p->runs.at(0).format.bold) << "a page starts with a form's title";
        }
    }
    EXPECT_EQ(breaks, 2);
}

// Every carried description parses, is GBK text, and opens with its title.
TEST(FormDescription, everyCarriedFormParses)
{
    const QDir dir(QStringLiteral(TAMSEL_SOURCE_DIR "/resources/forms"));
    for (const FormEntry &entry : formCatalogue()) {
        const QString name = QStringLiteral("ws%1.form").arg(entry.number);
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_EQ(gbk::decode(gbk::encode(text)), text) << name.toStdString() << " holds characters GBK cannot carry";
        const auto parsed = parseFormDescription(text, name);
        ASSERT_TRUE(parsed.ok()) << parsed.message().toStdString();
        const auto &title = paragraphAt(parsed.value(), 0);
        EXPECT_EQ(title.alignment, Alignment::Center) << name.toStdString();
        EXPECT_FALSE(formTitle(parsed.value()).isEmpty()) << name.toStdString();
    }
}

} // namespace
