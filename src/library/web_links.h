#pragma once

#include <QString>

#include <span>

namespace tamsel {

class RunDirectory;

// A web page of the menus: a province's human-resources and social-security
// department, an input method's download page, or the program's home page.
struct WebLink
{
    QString menuText;
    QString url;
};

// The 23 provinces of "劳动保障网络(全国)" in menu order.
std::span<const WebLink> provinceLinks();
// "搜狗拼音下载" and "极点五笔下载" of the "工具" menu.
std::span<const WebLink> downloadLinks();

// The program's home page ("官方网站"): the settings file's
// [wangzhi] zhuye when set, else the built-in address.
QString homePage(const RunDirectory &runDir);

// Hands the address to the default browser; the outcome is the browser's.
void openWebPage(const QString &url);

} // namespace tamsel
