#include "law_texts.h"

#include "atomic_file.h"
#include "carried_text.h"
#include "form.h"
#include "gbk.h"
#include "prompter.h"
#include "record_fields.h"
#include "run_directory.h"
#include "text_viewer.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace tamsel {

namespace {

struct Row
{
    const char16_t *menuText;
    const char *fileName;
};

constexpr Row Rows[] = {
    {u"劳动监察办案时效", "t.txt"},
    {u"劳动监察办案程序规则", "y.txt"},
    {u"最新劳动法", "a.txt"},
    {u"最新劳动合同法", "b.txt"},
    {u"社会保险法", "u.txt"},
    {u"就业促进法", "x.txt"},
    {u"劳动争议调解仲裁法", "w.txt"},
    {u"禁止使用童工规定", "v.txt"},
    {u"女职工劳动保护规定", "k.txt"},
    {u"未成年工特殊保护规定", "r.txt"},
    {u"女职工禁忌劳动范围的规定", "l.txt"},
    {u"劳动保障监察条例", "c.txt"},
    {u"劳动合同法实施条例", "z.txt"},
    {u"最低工资标准", "j.txt"},
    {u"新工伤保险条例全文", "q.txt"},
    {u"农民工工资支付管理暂行办法", "p.txt"},
    {u"企业工资支付暂行规定", "h.txt"},
    {u"企业职工患病或非因工负伤医疗期规定", "f.txt"},
    {u"劳动合同法200问", "az.txt"},
    {u"笔录制作过程", "js.txt"},
};

std::vector<LawText> buildTable()
{
    std::vector<LawText> texts;
    for (const Row &row : Rows)
        texts.push_back({QString::fromUtf16(row.menuText), QString::fromLatin1(row.fileName)});
    return texts;
}

} // namespace

std::span<const LawText> lawTexts()
{
    static const std::vector<LawText> texts = buildTable();
    return texts;
}

QByteArray lawTextBytes(const LawText &text, const RunDirectory &runDir)
{
    const QString local = runDir.filePath(QStringLiteral("法律法规/") + text.menuText + QStringLiteral(".txt"));
    if (QFileInfo(local).isFile())
        return readFileBytes(local);
    return carriedText(text.fileName);
}

QString rulesOfProcedure(const RunDirectory &runDir)
{
    for (const LawText &text : lawTexts()) {
        if (text.fileName == QLatin1String("y.txt"))
            return gbk::decode(lawTextBytes(text, runDir));
    }
    return {};
}

QString lawTextFile(const LawText &text)
{
    return QDir(userCacheFolder()).filePath(text.fileName);
}

void showLawText(Form &form, Prompter &prompter, const RunDirectory &runDir, const LawText &text)
{
    // The viewer's file is named only once it holds this text, so neither the
    // viewer nor its print button is ever handed an older copy.
    const QString path = lawTextFile(text);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const Status written = writeFileAtomically(path, lawTextBytes(text, runDir)); !written) {
        prompter.inform(written.message(), QStringLiteral("提 示："));
        return;
    }
    form.setText(scratch::ViewerFile, path);
    showTextFile(form, form.text(scratch::ViewerFile));
}

Status exportLawTexts(const QString &folder, const RunDirectory &runDir)
{
    if (const Status made = makeFolder(folder); !made)
        return made;
    for (const LawText &text : lawTexts()) {
        if (const Status written = writeFileAtomically(QDir(folder).filePath(text.fileName), lawTextBytes(text, runDir));
            !written)
            return written;
    }
    return Status::success();
}

} // namespace tamsel
