#pragma once

#include "menu_command.h"
#include "office_programs.h"
#include "page_renderer.h"
#include "status.h"

#include <QString>

#include <functional>

namespace tamsel {

class Form;
class Prompter;
struct FormEntry;

// What the "监察文书" commands do outside the program: print on the default
// printer, find the office suite and show a file in it. Replaceable for tests.
struct FormServices
{
    std::function<Status(const doc::Document &)> print = doc::printOnDefaultPrinter;
    std::function<doc::OfficeSuite()> findOffice = [] { return doc::findOfficeSuite(); };
    std::function<bool(const doc::OfficeSuite &, const QString &)> showInOffice = doc::showInOffice;
};

// The file a form is written to: "ws<number>.doc" in the per-user cache folder.
QString formTargetFile(int number);

// One item of "监察文书": writes the carried form to its file (nothing else
// happens when that fails: the failure is reported), then asks whether to
// print it. OK prints the form on A4 through our renderer and says so in the
// status bar; Cancel shows the file in the office suite, or says there is none.
void openDocumentTemplate(Form &form, Prompter &prompter, const FormServices &services, const FormEntry &entry);

// The 27 items of "监察文书" in menu order, by their menu texts. The services
// are copied; the form and the prompter must outlive the commands.
MenuCommands formCommands(Form &form, Prompter &prompter, const FormServices &services = {});

} // namespace tamsel
