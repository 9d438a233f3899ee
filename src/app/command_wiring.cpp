#include "command_wiring.h"

#include "open_template.h"
#include "record_form.h"

namespace tamsel {

void wireCommands(RecordForm &window)
{
    Form &form = window.form();
    Prompter &prompter = window.prompter();
    const RunDirectory &runDir = window.runDirectory();

    window.setCommand(QStringLiteral("打开(笔录模板)"), [&form, &prompter, &runDir] {
        openRecordTemplate(form, prompter, runDir);
    });
}

} // namespace tamsel
