#include "library_commands.h"

#include "law_texts.h"
#include "prompter.h"
#include "text_viewer.h"
#include "web_links.h"

namespace tamsel {

QString authorContactText()
{
    return QStringLiteral("劳动保障监察询问笔录 程序 V2.3\n\n"
                          "本程序由劳动保障监察询问笔录开发组编写和维护。\n"
                          "使用中遇到问题或有改进建议，请与本单位信息化管理员联系，\n"
                          "或通过“帮助”菜单中的“官方网站”留言。\n\n"
                          "短语库、页脚签名行等设置保存在程序目录的 set.ini 中，可用记事本修改。");
}

MenuCommands libraryCommands(Form &form, Prompter &prompter, const RunDirectory &runDir)
{
    MenuCommands commands;
    for (const LawText &text : lawTexts()) {
        commands.push_back({text.menuText, [&form, &prompter, &runDir, text] {
                                showLawText(form, prompter, runDir, text);
                            }});
    }
    for (const auto links : {provinceLinks(), downloadLinks()}) {
        for (const WebLink &link : links)
            commands.push_back({link.menuText, [url = link.url] { openWebPage(url); }});
    }
    commands.push_back({QStringLiteral("官方网站"), [&runDir] { openWebPage(homePage(runDir)); }});
    commands.push_back({QStringLiteral("市/镇/县/乡/村 劳动保障监察员联系方式"),
                        [&form, &runDir] { showContactsList(form, runDir); }});
    commands.push_back({QStringLiteral("软件帮助"), [&form, &runDir] { showProgramHelp(form, runDir); }});
    commands.push_back({QStringLiteral("联系作者"),
                        [&prompter] { prompter.inform(authorContactText(), QStringLiteral("作者信息：")); }});
    return commands;
}

} // namespace tamsel
