// settings-report: what the program takes from a run directory's set.ini,
// found by running the window's own start-up on a headless form.
#include "cli_command.h"

#include "clock.h"
#include "headless_start_up.h"
#include "memory_form.h"
#include "phrase_library.h"
#include "record_fields.h"
#include "run_directory.h"
#include "settings_file.h"
#include "start_up.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace tamsel::cli {

int runSettingsReport(const QStringList &args)
{
    if (args.size() > 1) {
        QTextStream(stderr) << "usage: tamsel-cli settings-report [RUN_DIR]\n";
        return 2;
    }
    const RunDirectory runDir = args.isEmpty() ? RunDirectory::ofProgram() : RunDirectory(args.first());
    if (!QDir(runDir.path()).exists()) {
        QTextStream(stderr) << "tamsel-cli: no such folder " << runDir.nativePath() << "\n";
        return 1;
    }

    MemoryForm form;
    applyDesignState(form);
    HeadlessStartUpHost host(form);
    SystemClock clock;
    int lineCounter = 0;
    runStartUpSequence(form, host, clock, runDir, lineCounter);

    const SettingsFile settings = SettingsFile::load(runDir);
    QJsonObject lists;
    for (const PhraseList &list : phraseLists(settings.ini()))
        lists.insert(list.control, QJsonArray::fromStringList(form.items(list.control)));

    QJsonObject report;
    report.insert(QStringLiteral("settingsFile"), QDir::toNativeSeparators(runDir.settingsFile()));
    report.insert(QStringLiteral("settingsFileFound"), QFileInfo::exists(runDir.settingsFile()));
    report.insert(QStringLiteral("caption"), form.caption());
    report.insert(QStringLiteral("look"), host.look() == 0 ? QJsonValue() : QJsonValue(host.look()));
    report.insert(QStringLiteral("rulesWindowShown"), host.rulesShown());
    report.insert(QStringLiteral("place"), form.text(recordField(QStringLiteral("Place")).control));
    report.insert(QStringLiteral("domicile"), form.text(recordField(QStringLiteral("Domicile")).control));
    report.insert(QStringLiteral("closingLine1"), settings.closingLine1());
    report.insert(QStringLiteral("closingLine2"), settings.closingLine2());
    report.insert(QStringLiteral("lists"), lists);
    QTextStream(stdout) << QJsonDocument(report).toJson(QJsonDocument::Indented);
    return 0;
}

} // namespace tamsel::cli
