#include "form_catalogue.h"

namespace tamsel {

const std::array<FormEntry, kFormCount> &formCatalogue()
{
    // The target numbers do not follow the menu order: the menu keeps the
    // order officers know, the numbers name the files they already have.
    static const std::array<FormEntry, kFormCount> forms = {{
        {u"监察文书大全", 27},
        {u"实施劳动保障监察委托书", 1},
        {u"调查检查记录", 2},
        {u"询问通知书", 3},
        {u"举报登记表", 4},
        {u"投诉登记表", 5},
        {u"不予受理投诉决定书", 6},
        {u"立案审批表", 7},
        {u"案件处理报批表", 8},
        {u"改正决定书", 9},
        {u"劳动保障行政部门负责人对复杂重大行政处罚集体讨论记录", 10},
        {u"行政处罚事先告知书", 11},
        {u"陈述申辩笔录", 12},
        {u"行政处罚听证告知书", 13},
        {u"行政处理决定书", 14},
        {u"行政处罚决定书", 15},
        {u"送达回执", 16},
        {u"涉嫌犯罪案件移送书", 17},
        {u"涉嫌犯罪案件移送审批表", 25},
        {u"劳动监察案件结案报告", 20},
        {u"案件延期延期处理审批表", 19},
        {u"结案审批表", 18},
        {u"案件处罚报批表", 21},
        {u"强制执行申请书", 22},
        {u"行政处罚集体讨论", 23},
        {u"行政处理事先告知书", 24},
        {u"案件移送函", 26},
    }};
    return forms;
}

QString formFileName(int number)
{
    return QStringLiteral("ws%1.doc").arg(number);
}

} // namespace tamsel
