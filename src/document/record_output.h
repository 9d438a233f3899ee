#pragma once

#include "office_programs.h"
#include "page_renderer.h"
#include "status.h"

#include <functional>

namespace tamsel {

class Form;
class Prompter;
class RunDirectory;
namespace doc {
class DocumentSession;
}

// What the save and print commands of the record work with. The outside
// effects (the office suite, the printer) are replaceable for tests.
struct RecordOutput
{
    Form &form;
    Prompter &prompter;
    const RunDirectory &runDir;
    doc::DocumentSession &session;
    int &lineCounter;

    std::function<doc::OfficeSuite()> findOffice = [] { return doc::findOfficeSuite(); };
    std::function<bool(const doc::OfficeSuite &, const QString &)> showInOffice = doc::showInOffice;
    std::function<Status(const doc::OfficeSuite &, const QString &)> printWithOffice =
        [](const doc::OfficeSuite &suite, const QString &path) { return doc::printWithOffice(suite, path); };
    // Prints a document of ours (the viewed text) on A4.
    std::function<Status(const doc::Document &)> print = doc::printOnDefaultPrinter;
};

// "保存(笔录及模板)": checks the record, composes it, asks before replacing
// an existing document, writes the document and its template (nothing is
// written when the officer declines), offers a preview in the office suite
// and sets the status line. A write that fails is reported and the status
// line does not claim the save. True when the document and its template
// were written.
bool saveRecord(RecordOutput &output);

// "打印(笔录)": Yes prints the current record on A4 through our renderer
// (its template is rewritten); No prints a chosen .doc through the office
// suite.
void printRecord(RecordOutput &output);

// "打  印" of the text viewer: prints the file the viewer shows, on A4.
void printViewedText(RecordOutput &output);

} // namespace tamsel
