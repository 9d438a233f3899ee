#include "menu_table.h"

#include <vector>

namespace tamsel {

namespace {

QStringList split(const char16_t *items)
{
    return QString::fromUtf16(items).split(u'|');
}

std::vector<MenuEntry> buildMenus()
{
    return {
        {QStringLiteral("文件"), split(u"新建(笔录)|打开(笔录模板)|保存(笔录及模板)|打印(笔录)|退出")},
        {QStringLiteral("网络功能"), split(u"打开FTP笔录服务器配置|关闭FTP笔录服务器配置|笔录上传|笔录下载")},
        {QStringLiteral("录音笔录"), split(u"打开笔录录音|关闭笔录录音")},
        {QStringLiteral("视频录像"), split(u"开始录像取证|结束录像取证")},
        {QStringLiteral("法律法规"),
         split(u"劳动监察办案时效|劳动监察办案程序规则|最新劳动法|最新劳动合同法|社会保险法|就业促进法|"
               u"劳动争议调解仲裁法|禁止使用童工规定|女职工劳动保护规定|未成年工特殊保护规定|"
               u"女职工禁忌劳动范围的规定|劳动保障监察条例|劳动合同法实施条例|最低工资标准|"
               u"新工伤保险条例全文|农民工工资支付管理暂行办法|企业工资支付暂行规定|"
               u"企业职工患病或非因工负伤医疗期规定|劳动合同法200问")},
        {QStringLiteral("监察文书"),
         split(u"监察文书大全|实施劳动保障监察委托书|调查检查记录|询问通知书|举报登记表|投诉登记表|"
               u"不予受理投诉决定书|立案审批表|案件处理报批表|改正决定书|"
               u"劳动保障行政部门负责人对复杂重大行政处罚集体讨论记录|行政处罚事先告知书|陈述申辩笔录|"
               u"行政处罚听证告知书|行政处理决定书|行政处罚决定书|送达回执|涉嫌犯罪案件移送书|"
               u"涉嫌犯罪案件移送审批表|劳动监察案件结案报告|案件延期延期处理审批表|结案审批表|"
               u"案件处罚报批表|强制执行申请书|行政处罚集体讨论|行政处理事先告知书|案件移送函")},
        {QStringLiteral("劳动保障网络(全国)"),
         split(u"吉林省|辽宁省|山西省|河北省|江苏省|浙江省|安徽省|福建省|江西省|山东省|河南省|湖北省|"
               u"湖南省|广东省|海南省|四川省|贵州省|云南省|陕西省|甘肃省|青海省|台湾省|黑龙江省")},
        {QStringLiteral("安全设置"), split(u"加密|解密")},
        {QStringLiteral("工具"), split(u"计算器|文本文档|Word文档|Excel文档|搜狗拼音下载|极点五笔下载")},
        {QStringLiteral("更新"), split(u"更新软件")},
        {QStringLiteral("帮助"),
         split(u"市/镇/县/乡/村 劳动保障监察员联系方式|笔录制作过程|软件帮助|官方网站|联系作者")},
    };
}

} // namespace

std::span<const MenuEntry> menuTable()
{
    static const std::vector<MenuEntry> menus = buildMenus();
    return menus;
}

} // namespace tamsel
