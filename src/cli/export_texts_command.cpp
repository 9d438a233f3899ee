// export-texts: writes the carried regulation texts and the record-making
// guide (a.txt, js.txt, …) into a folder, as GBK with CR LF line ends. A
// bureau's own text in 法律法规/ of the run directory takes the place of the
// carried one, as in the viewer. Prints each path written.
#include "cli_command.h"

#include "law_texts.h"
#include "run_directory.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

namespace tamsel::cli {

int runExportTexts(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption runDir(QStringLiteral("run-dir"), QString(), QStringLiteral("RUN_DIR"));
    parser.addOption(runDir);
    if (!parser.parse(QStringList{QStringLiteral("export-texts")} + args) || parser.positionalArguments().size() != 1) {
        err << "usage: tamsel-cli export-texts DIR [--run-dir RUN_DIR]\n";
        return 2;
    }
    const QString folder = parser.positionalArguments().first();
    const RunDirectory runDirectory =
        parser.isSet(runDir) ? RunDirectory(parser.value(runDir)) : RunDirectory::ofProgram();
    if (const Status written = exportLawTexts(folder, runDirectory); !written) {
        err << written.message() << "\n";
        return 1;
    }
    for (const LawText &text : lawTexts())
        out << QDir::toNativeSeparators(QDir(folder).filePath(text.fileName)) << "\n";
    return 0;
}

} // namespace tamsel::cli
