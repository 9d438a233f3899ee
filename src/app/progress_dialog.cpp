#include "progress_dialog.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace tamsel {

namespace {

QString bytesText(qint64 done, qint64 total)
{
    if (total > 0)
        return QStringLiteral("已传送 %1 / %2 字节").arg(done).arg(total);
    return QStringLiteral("已传送 %1 字节").arg(done);
}

} // namespace

void ProgressDialog::run(const QString &label, const Job &job)
{
    TaskControl control;
    QProgressDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("提 示："));
    dialog.setLabelText(label + QLatin1Char('\n') + bytesText(0, -1));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    dialog.setRange(0, 0); // busy until the size is known
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);

    bool cancelling = false;
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        cancelling = true;
        control.cancel();
        // Stays up, without its button, until the job has let go.
        dialog.setCancelButton(nullptr);
        dialog.setLabelText(label + QStringLiteral("\n正在取消……"));
        dialog.show();
    });

    // Sampled, not signalled: the job only writes two counters.
    QTimer refresh;
    refresh.setInterval(100);
    QObject::connect(&refresh, &QTimer::timeout, &dialog, [&] {
        if (cancelling)
            return;
        const qint64 done = control.done();
        const qint64 total = control.total();
        dialog.setLabelText(label + QLatin1Char('\n') + bytesText(done, total));
        if (total > 0) {
            // The bar counts in per mille so large sizes fit an int.
            dialog.setRange(0, 1000);
            dialog.setValue(int(qBound(qint64(0), done * 1000 / total, qint64(1000))));
        }
    });

    QEventLoop loop;
    QThread *worker = QThread::create([&] { job(control); });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    // Shown at once, so no menu command can start while the job runs.
    dialog.show();
    refresh.start();
    worker->start();
    loop.exec();
    if (!worker->isFinished()) {
        // The loop was ended from outside (the program is quitting).
        control.cancel();
        worker->wait();
    }
    delete worker;
    refresh.stop();
    dialog.hide();
}

} // namespace tamsel
