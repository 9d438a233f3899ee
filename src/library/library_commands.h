#pragma once

#include "menu_command.h"

namespace tamsel {

class Form;
class Prompter;
class RunDirectory;

// The commands of the reference library: the regulation texts and the
// record-making guide, the province links, the download pages, the help
// texts, the home page and the author's contact box. The references must
// outlive the commands.
MenuCommands libraryCommands(Form &form, Prompter &prompter, const RunDirectory &runDir);

// The text of the "联系作者" box.
QString authorContactText();

} // namespace tamsel
