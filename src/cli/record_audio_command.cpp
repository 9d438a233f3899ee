// record-audio: records from the configured sound input through the
// recorder panel's own code, with an optional pause, and saves the WAV.
#include "cli_command.h"

#include "audio_recorder_panel.h"
#include "clock.h"
#include "memory_form.h"
#include "prompter.h"
#include "run_directory.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

namespace tamsel::cli {

namespace {

const char Usage[] = "usage: tamsel-cli record-audio --seconds N --out FILE.wav "
                     "[--pause-at S --resume-at S] [--run-dir DIR]\n";

// Answers the save dialog with the file named on the command line and
// prints every message box.
class CommandLinePrompter : public Prompter
{
public:
    explicit CommandLinePrompter(QString file) : m_file(std::move(file)) {}
    Answer message(const QString &text, const QString &caption, Buttons buttons) override
    {
        QTextStream(stderr) << caption << " " << text << "\n";
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    QString chooseFileToOpen(const QString &, const QString &) override { return m_file; }
    QString chooseFileToSave(const QString &, const QString &) override { return m_file; }
    QString browseForFile(const QString &) override { return m_file; }

private:
    QString m_file;
};

struct Options
{
    double seconds = -1, pauseAt = -1, resumeAt = -1;
    QString out, runDir;
};

bool parse(const QStringList &args, Options &o)
{
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString &key = args[i];
        const QString &value = args[i + 1];
        bool ok = true;
        if (key == QLatin1String("--seconds"))
            o.seconds = value.toDouble(&ok);
        else if (key == QLatin1String("--pause-at"))
            o.pauseAt = value.toDouble(&ok);
        else if (key == QLatin1String("--resume-at"))
            o.resumeAt = value.toDouble(&ok);
        else if (key == QLatin1String("--out"))
            o.out = value;
        else if (key == QLatin1String("--run-dir"))
            o.runDir = value;
        else
            return false;
        if (!ok)
            return false;
    }
    const bool pauses = o.pauseAt >= 0 || o.resumeAt >= 0;
    return args.size() % 2 == 0 && o.seconds > 0 && !o.out.isEmpty()
        && (!pauses || (0 <= o.pauseAt && o.pauseAt < o.resumeAt && o.resumeAt < o.seconds));
}

} // namespace

int runRecordAudio(const QStringList &args)
{
    QTextStream err(stderr);
    Options o;
    if (!parse(args, o)) {
        err << Usage;
        return 2;
    }
    const RunDirectory runDir = o.runDir.isEmpty() ? RunDirectory::ofProgram() : RunDirectory(o.runDir);
    if (!QDir(runDir.path()).exists()) {
        err << "tamsel-cli: no such folder " << runDir.nativePath() << "\n";
        return 1;
    }

    MemoryForm form;
    CommandLinePrompter prompter(QFileInfo(o.out).absoluteFilePath());
    SystemClock clock;
    AudioRecorderPanel panel(form, prompter, runDir, clock);
    panel.record();
    if (panel.state() != AudioRecorderPanel::State::Recording)
        return 1;
    err << form.statusText() << " " << QDir::toNativeSeparators(panel.recordingFile()) << "\n";

    QEventLoop loop;
    if (o.pauseAt >= 0) {
        QTimer::singleShot(int(o.pauseAt * 1000), &panel, [&] { panel.pause(); });
        QTimer::singleShot(int(o.resumeAt * 1000), &panel, [&] { panel.resume(); });
    }
    QTimer::singleShot(int(o.seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();

    const Status saved = panel.stopAndSave();
    if (!saved) {
        err << "tamsel-cli: " << saved.message() << "\n";
        return 1;
    }
    QTextStream(stdout) << form.statusText() << " " << QDir::toNativeSeparators(QFileInfo(o.out).absoluteFilePath())
                        << "\n";
    return 0;
}

} // namespace tamsel::cli
