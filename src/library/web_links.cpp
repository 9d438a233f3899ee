#include "web_links.h"

#include "ini_file.h"
#include "run_directory.h"

#include <QDesktopServices>
#include <QUrl>

#include <vector>

namespace tamsel {

namespace {

constexpr const char *DefaultHomePage = "http://tamsel.example";

struct Row
{
    const char16_t *menuText;
    const char *url;
};

// Each province's department of human resources and social security.
constexpr Row Provinces[] = {
    {u"吉林省", "http://hrss.jl.gov.cn/"},
    {u"辽宁省", "https://rst.ln.gov.cn/"},
    {u"山西省", "http://rst.shanxi.gov.cn/"},
    {u"河北省", "http://rst.hebei.gov.cn/"},
    {u"江苏省", "http://jshrss.jiangsu.gov.cn/"},
    {u"浙江省", "http://rlsbt.zj.gov.cn/"},
    {u"安徽省", "http://hrss.ah.gov.cn/"},
    {u"福建省", "http://rst.fujian.gov.cn/"},
    {u"江西省", "http://rst.jiangxi.gov.cn/"},
    {u"山东省", "http://hrss.shandong.gov.cn/"},
    {u"河南省", "https://hrss.henan.gov.cn/"},
    {u"湖北省", "http://rst.hubei.gov.cn/"},
    {u"湖南省", "http://rst.hunan.gov.cn/"},
    {u"广东省", "http://hrss.gd.gov.cn/"},
    {u"海南省", "http://hrss.hainan.gov.cn/"},
    {u"四川省", "http://rst.sc.gov.cn/"},
    {u"贵州省", "http://rst.guizhou.gov.cn/"},
    {u"云南省", "http://hrss.yn.gov.cn/"},
    {u"陕西省", "http://rst.shaanxi.gov.cn/"},
    {u"甘肃省", "http://rst.gansu.gov.cn/"},
    {u"青海省", "http://rst.qinghai.gov.cn/"},
    // No government site is linked for this item: a commercial job site.
    {u"台湾省", "https://www.104.com.tw/"},
    {u"黑龙江省", "http://hrss.hlj.gov.cn/"},
};

// The input methods' own pages, where their installers are offered.
constexpr Row Downloads[] = {
    {u"搜狗拼音下载", "https://pinyin.sogou.com/"},
    {u"极点五笔下载", "http://www.freewb.org/"},
};

template <size_t N>
std::vector<WebLink> build(const Row (&rows)[N])
{
    std::vector<WebLink> links;
    for (const Row &row : rows)
        links.push_back({QString::fromUtf16(row.menuText), QString::fromLatin1(row.url)});
    return links;
}

} // namespace

std::span<const WebLink> provinceLinks()
{
    static const std::vector<WebLink> links = build(Provinces);
    return links;
}

std::span<const WebLink> downloadLinks()
{
    static const std::vector<WebLink> links = build(Downloads);
    return links;
}

QString homePage(const RunDirectory &runDir)
{
    const QString configured = IniFile::load(runDir.settingsFile()).text(QStringLiteral("wangzhi"), QStringLiteral("zhuye"));
    return configured.isEmpty() ? QString::fromLatin1(DefaultHomePage) : configured;
}

void openWebPage(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace tamsel
