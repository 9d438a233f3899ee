// save: regenerates a record's document and template from a template, by
// opening it as "打开(笔录模板)" does and saving as "保存(笔录及模板)" does,
// answering Yes to replacing the old files and No to the preview.
#include "cli_command.h"

#include "memory_form.h"
#include "memory_prompter.h"
#include "native_document_session.h"
#include "open_template.h"
#include "page_renderer.h"
#include "record_document.h"
#include "record_fields.h"
#include "record_file_name.h"
#include "record_output.h"
#include "run_directory.h"

#include <QFileInfo>
#include <QTextStream>

namespace tamsel::cli {

namespace {

// Says Yes to replacing an existing record and No to everything else; the
// officer's messages go to the error stream.
class SavingPrompter : public MemoryPrompter
{
public:
    using MemoryPrompter::MemoryPrompter;
    Answer message(const QString &text, const QString &caption, Buttons buttons) override
    {
        MemoryPrompter::message(text, caption, buttons);
        if (text == QStringLiteral(" 文件以经存在，是否覆盖老文件？ "))
            return Answer::Yes;
        if (buttons == Buttons::Ok)
            QTextStream(stderr) << caption << " " << text << "\n";
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
};

} // namespace

int runSave(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString templateFile, runDirPath, pdf;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--run-dir") && i + 1 < args.size())
            runDirPath = args[++i];
        else if (args[i] == QLatin1String("--pdf") && i + 1 < args.size())
            pdf = args[++i];
        else if (templateFile.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            templateFile = args[i];
        else
            templateFile = QString(), i = static_cast<int>(args.size());
    }
    if (templateFile.isEmpty() || runDirPath.isEmpty()) {
        err << "usage: tamsel-cli save TEMPLATE.ini --run-dir DIR [--pdf OUT.pdf]\n";
        return 2;
    }
    const RunDirectory runDir(runDirPath);

    MemoryForm form;
    applyDesignState(form);
    SavingPrompter prompter(QFileInfo(templateFile).absoluteFilePath());
    if (!openRecordTemplate(form, prompter, runDir))
        return 1;

    doc::NativeDocumentSession session;
    int lineCounter = 0;
    RecordOutput output{form, prompter, runDir, session, lineCounter};
    if (!saveRecord(output))
        return 1;
    out << documentPath(form, runDir).value() << "\n" << templatePath(form, runDir).value() << "\n";

    if (!pdf.isEmpty()) {
        doc::NativeDocumentSession again;
        const Result<ComposedRecord> composed = composeRecordDocument(form, again, runDir, lineCounter);
        const Status rendered = composed ? doc::renderPdf(*again.currentDocument(), pdf) : composed.status();
        again.quitWord();
        if (!rendered) {
            err << rendered.message() << "\n";
            return 1;
        }
        out << QFileInfo(pdf).absoluteFilePath() << "\n";
    }
    return 0;
}

} // namespace tamsel::cli
