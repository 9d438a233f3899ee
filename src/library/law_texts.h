#pragma once

#include "status.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace tamsel {

class Form;
class Prompter;
class RunDirectory;

// A text of the "法律法规" menu or the record-making guide of "帮助".
struct LawText
{
    QString menuText; // the menu item, exactly as shown
    QString fileName; // carried under and written to this name ("a.txt")
};

// The 19 regulation texts in menu order, then "笔录制作过程".
std::span<const LawText> lawTexts();

// The text of an item as GBK bytes: the bureau's own file
// "法律法规/<menu text>.txt" of the run directory when there is one, else
// the carried text.
QByteArray lawTextBytes(const LawText &text, const RunDirectory &runDir);

// The rules of procedure shown at start-up: the text of the menu item
// "劳动监察办案程序规则", so a bureau's own copy is the one shown in both places.
QString rulesOfProcedure(const RunDirectory &runDir);

// The file an item is written to before it is shown: its name in the
// per-user cache folder.
QString lawTextFile(const LawText &text);

// Writes the item's text to its file and shows that file in the text viewer.
// A write that fails is reported, and the viewer is not handed an older copy.
void showLawText(Form &form, Prompter &prompter, const RunDirectory &runDir, const LawText &text);

// Writes every carried text under its file name into `folder`.
Status exportLawTexts(const QString &folder, const RunDirectory &runDir);

} // namespace tamsel
