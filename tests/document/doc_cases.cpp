#include "doc_cases.h"

#include "base_document.h"

namespace tamsel::test {

using namespace doc;

Paragraph paragraph(std::vector<Run> runs, Alignment alignment, bool pageBreakBefore)
{
    Paragraph p;
    p.runs = std::move(runs);
    p.alignment = alignment;
    p.pageBreakBefore = pageBreakBefore;
    return p;
}

Run run(const QString &text, bool bold, double size, bool underline)
{
    return Run{text, RunFormat{bold, size, underline, {}}};
}

namespace {

Run ruled(const QString &text, bool underline = false, double size = 14, bool bold = false)
{
    return Run{text, RunFormat{bold, size, underline, {}}};
}

Paragraph line(std::vector<Run> runs, Alignment alignment = Alignment::Left)
{
    Paragraph p;
    p.runs = std::move(runs);
    p.alignment = alignment;
    return p;
}

// The record as composition types it: title, seven header lines, then 24
// question and answer pairs on pages of 8, 20 and 20 lines with two closing
// lines at the foot of each page.
} // namespace

Document threePageRecord()
{
    // Typed into the base document, the title takes the place of its one
    // empty paragraph, with the space below it.
    Document d = baseDocument();
    const int titleSpace = std::get<Paragraph>(d.body.front()).spaceAfterTwips;
    d.body.clear();
    const QString rule(66, QLatin1Char(' '));
    d.body.push_back(line({ruled(QStringLiteral("劳动保障监察询问笔录"), false, 22, true)}, Alignment::Center));
    std::get<Paragraph>(d.body.back()).spaceAfterTwips = titleSpace;
    d.body.push_back(line({}, Alignment::Center));
    d.body.push_back(line({ruled(QStringLiteral("笔录起至时间：")), ruled(QStringLiteral("  2026"), true), ruled(QStringLiteral("年")),
                           ruled(QStringLiteral("  12"), true), ruled(QStringLiteral("月")), ruled(QStringLiteral("  11"), true),
                           ruled(QStringLiteral("日")), ruled(QStringLiteral("  9"), true), ruled(QStringLiteral("时")),
                           ruled(QStringLiteral("  30"), true), ruled(QStringLiteral("分  至  ")), ruled(QStringLiteral("  11"), true),
                           ruled(QStringLiteral("时")), ruled(QStringLiteral("  15"), true), ruled(QStringLiteral("分"))}));
    d.body.push_back(line({ruled(QStringLiteral("笔录地点：")), ruled(QStringLiteral("市劳动保障监察支队询问室") + QString(33, QLatin1Char(' ')), true)}));
    d.body.push_back(line({ruled(QStringLiteral("被询问人姓名：")), ruled(QStringLiteral(" 张三 "), true), ruled(QStringLiteral(" 性别：")),
                           ruled(QStringLiteral(" 男 "), true), ruled(QStringLiteral(" 户籍所在地：")),
                           ruled(QStringLiteral("某省某市") + QString(12, QLatin1Char(' ')), true)}));
    d.body.push_back(line({ruled(QStringLiteral("身份证件种类：")), ruled(QStringLiteral(" 居民身份证 "), true), ruled(QStringLiteral(" 号码：")),
                           ruled(QStringLiteral("110101199001011234") + QString(36, QLatin1Char(' ')), true)}));
    d.body.push_back(line({ruled(QStringLiteral("工作单位：")), ruled(QStringLiteral("某某建筑工程有限公司"), true), ruled(QStringLiteral("     职务：")),
                           ruled(QStringLiteral("项目经理") + QString(62, QLatin1Char(' ')), true)}));
    d.body.push_back(line({ruled(QStringLiteral("电话：")), ruled(QStringLiteral("13800000000"), true), ruled(QStringLiteral("   其他联系方式：")),
                           ruled(QString(80, QLatin1Char(' ')), true)}));
    d.body.push_back(line({ruled(QStringLiteral("询问监察员姓名：")), ruled(QStringLiteral("  李四  "), true), ruled(QStringLiteral(" 其他参加人：")),
                           ruled(QStringLiteral("  王五  "), true), ruled(QStringLiteral(" 记录人：")),
                           ruled(QStringLiteral("  赵六") + QString(17, QLatin1Char(' ')), true)}));
    d.body.push_back(line({}));
    d.body.push_back(line({ruled(QStringLiteral("笔 录 内 容："))}));
    int counter = 0;
    for (int pair = 1; pair <= 24; ++pair) {
        d.body.push_back(line({ruled(QStringLiteral("问：请你说明第%1个问题的情况？").arg(pair) + rule, true)}));
        d.body.push_back(line({ruled(QStringLiteral("答：第%1个问题的情况是这样的，公司拖欠了三个月工资。").arg(pair) + rule, true)}));
        counter += 2;
        if (counter == (pair <= 4 ? 8 : 20) || pair == 24) {
            d.body.push_back(line({ruled(QStringLiteral("  被询问人签名：          监察员签名："))}));
            d.body.push_back(line({ruled(QStringLiteral("  记录人签名：            年  月  日"))}));
            counter = 0;
        }
    }
    return d;
}

namespace {

TableCell cell(const QString &text, int width, bool merged = false)
{
    TableCell c;
    if (!text.isNull())
        c.paragraphs.push_back(paragraph({run(text, false, 12)}));
    c.widthTwips = width;
    c.mergedWithPrevious = merged;
    return c;
}

std::vector<DocCase> makeCases()
{
    std::vector<DocCase> cases;
    auto add = [&cases](const char *name, std::vector<Block> body, int pages = 1,
                        std::vector<Paragraph> footer = {}) {
        Document d;
        d.body = std::move(body);
        d.footer = std::move(footer);
        cases.push_back({name, d, pages});
    };

    add("plain_chinese", {paragraph({run(QStringLiteral("劳动保障监察询问笔录"))}),
                          paragraph({run(QStringLiteral("被询问人姓名：张三，男，汉族。"))})});
    add("bold_title_size_22_centred",
        {paragraph({run(QStringLiteral("劳动保障监察询问笔录"), true, 22)}, Alignment::Center),
         paragraph({run(QStringLiteral("笔录起至时间："), false, 14)})});
    add("underline_on_and_off_inside_a_paragraph",
        {paragraph({run(QStringLiteral("笔录地点：")), run(QStringLiteral("某市劳动保障监察支队"), false, 14, true),
                    run(QStringLiteral("     职务：")), run(QStringLiteral("经理"), false, 14, true)})});
    add("trailing_blanks_of_a_rule",
        {paragraph({run(QStringLiteral("问：你的姓名？") + QString(66, QLatin1Char(' ')), false, 14, true)}),
         paragraph({run(QString(69, QLatin1Char(' ')), false, 14, true)}),
         paragraph({run(QStringLiteral("  结束"))})});
    add("centred_right_and_left",
        {paragraph({run(QStringLiteral("居中"))}, Alignment::Center),
         paragraph({run(QStringLiteral("靠右 right"))}, Alignment::Right),
         paragraph({run(QStringLiteral("靠左 left 2026"))})});
    {
        Run heiti = run(QStringLiteral("询问通知书"), true, 22);
        heiti.format.font = QStringLiteral("黑体");
        add("named_font", {paragraph({heiti}, Alignment::Center), paragraph({run(QStringLiteral("宋体正文"))})});
    }
    add("page_break", {paragraph({run(QStringLiteral("第一页"))}),
                       paragraph({run(QStringLiteral("第二页"))}, Alignment::Left, true)},
        2);

    Table table;
    TableRow header;
    header.cells = {cell(QStringLiteral("案由"), 1800), cell(QStringLiteral("拖欠工资"), 3300),
                    cell(QString(), 3300, true)};
    TableRow body;
    body.cells = {cell(QStringLiteral("当事人"), 1800), cell(QStringLiteral("某公司"), 3300),
                  cell(QStringLiteral("法定代表人"), 3300)};
    body.minHeightTwips = 600;
    table.rows = {header, body};
    add("table_with_a_merged_cell", {paragraph({run(QStringLiteral("立案审批表"), true, 18)}, Alignment::Center),
                                     table, paragraph({run(QStringLiteral("表后"))})});
    add("empty_document", {});
    add("footer_line", {paragraph({run(QStringLiteral("正文"))})}, 1,
        {paragraph({run(footerLine(), false, 10.5)}, Alignment::Center)});

    // A 14 pt line takes two grid lines of 15.6 pt: 22 lines fill the base page.
    for (int lines : {22, 23}) {
        std::vector<Block> body;
        for (int i = 1; i <= lines; ++i)
            body.push_back(paragraph({run(QStringLiteral("第%1行").arg(i), false, 14, i % 2 == 0)}));
        cases.push_back({lines == 22 ? "22_lines_fill_one_page" : "23_lines_need_two_pages", Document(), lines == 22 ? 1 : 2});
        cases.back().document.body = body;
    }

    cases.push_back({"three_page_record", threePageRecord(), 3});

    Document landscape;
    landscape.page.landscape = true;
    std::swap(landscape.page.pageWidthTwips, landscape.page.pageHeightTwips);
    landscape.body = {paragraph({run(QStringLiteral("横向"))})};
    cases.push_back({"landscape", landscape, 1});
    return cases;
}

} // namespace

const std::vector<DocCase> &docCases()
{
    static const std::vector<DocCase> cases = makeCases();
    return cases;
}

} // namespace tamsel::test
