#include "commands.h"

namespace tamsel::cli {

int runSettingsReport(const QStringList &args);
int runRecordAudio(const QStringList &args);
int runCaptureVideo(const QStringList &args);
int runTemplateShow(const QStringList &args);

namespace {

constexpr CliCommand Commands[] = {
    {"settings-report", "[RUN_DIR]", runSettingsReport},
    {"record-audio", "--seconds N --out FILE.wav [--pause-at S --resume-at S] [--run-dir DIR]", runRecordAudio},
    {"capture-video", "--seconds N [--run-dir DIR]", runCaptureVideo},
    {"template-show", "FILE", runTemplateShow},
};

} // namespace

std::span<const CliCommand> commands()
{
    return Commands;
}

} // namespace tamsel::cli
