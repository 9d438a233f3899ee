// capture-video: captures the configured camera, with sound, into the run
// directory's record folder through the window's own video evidence code.
#include "cli_command.h"

#include "clock.h"
#include "memory_form.h"
#include "run_directory.h"
#include "video_evidence.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

namespace tamsel::cli {

int runCaptureVideo(const QStringList &args)
{
    QTextStream err(stderr);
    double seconds = -1;
    QString runDirPath;
    bool ok = args.size() % 2 == 0;
    for (int i = 0; ok && i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--seconds"))
            seconds = args[i + 1].toDouble(&ok);
        else if (args[i] == QLatin1String("--run-dir"))
            runDirPath = args[i + 1];
        else
            ok = false;
    }
    if (!ok || seconds <= 0) {
        err << "usage: tamsel-cli capture-video --seconds N [--run-dir DIR]\n";
        return 2;
    }
    const RunDirectory runDir = runDirPath.isEmpty() ? RunDirectory::ofProgram() : RunDirectory(runDirPath);

    MemoryForm form;
    SystemClock clock;
    VideoEvidence video(form, runDir, clock);
    video.start();
    if (!video.isCapturing()) {
        err << form.statusText() << "\n";
        return 1;
    }
    err << form.statusText() << "\n";
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    // A capture cut short by the camera has already been completed.
    const bool cutShort = !video.isCapturing();
    video.stop();
    if (cutShort || !QFileInfo::exists(video.captureFile())) {
        err << form.statusText() << "\n";
        return 1;
    }
    QTextStream(stdout) << QDir::toNativeSeparators(video.captureFile()) << "\n";
    return 0;
}

} // namespace tamsel::cli
