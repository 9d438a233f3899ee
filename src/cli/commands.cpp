#include "commands.h"

namespace tamsel::cli {

int runSettingsReport(const QStringList &args);
int runRecordAudio(const QStringList &args);
int runCaptureVideo(const QStringList &args);
int runTemplateShow(const QStringList &args);
int runSave(const QStringList &args);
int runFtpUpload(const QStringList &args);
int runFtpDownload(const QStringList &args);
int runUpdateCheck(const QStringList &args);
int runExportForms(const QStringList &args);
int runExportTexts(const QStringList &args);

namespace {

constexpr CliCommand Commands[] = {
    {"settings-report", "[RUN_DIR]", runSettingsReport},
    {"record-audio", "--seconds N --out FILE.wav [--pause-at S --resume-at S] [--run-dir DIR]", runRecordAudio},
    {"capture-video", "--seconds N [--run-dir DIR]", runCaptureVideo},
    {"template-show", "FILE", runTemplateShow},
    {"save", "TEMPLATE.ini --run-dir DIR [--pdf OUT.pdf]", runSave},
    {"ftp-upload", "FILE --server HOST[:PORT] --user USER --name NAME (password: $TAMSEL_FTP_PASSWORD)", runFtpUpload},
    {"ftp-download", "--server HOST[:PORT] --user USER --name NAME [--run-dir DIR] (password: $TAMSEL_FTP_PASSWORD)", runFtpDownload},
    {"update-check", "[--run-dir DIR] [--server HOST[:PORT]]", runUpdateCheck},
    {"export-forms", "DIR", runExportForms},
    {"export-texts", "DIR [--run-dir RUN_DIR]", runExportTexts},
};

} // namespace

std::span<const CliCommand> commands()
{
    return Commands;
}

} // namespace tamsel::cli
