#include "progress_dialog.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace tamsel;

namespace {

QProgressDialog *shownDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// A job that reports 1000 bytes more every 10 ms, up to `total`, and stops
// early when asked.
struct CountingJob
{
    qint64 total;
    bool sawCancel = false;
    qint64 reached = 0;
    void operator()(TaskControl &control)
    {
        for (reached = 0; reached < total; reached += 1000) {
            if (control.isCancelled()) {
                sawCancel = true;
                return;
            }
            control.setProgress(reached, total);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
};

TEST(ProgressDialog, ShowsBytesAndCancelStopsTheJob)
{
    ProgressDialog task;
    CountingJob job{100'000'000};
    QString seenLabel;
    bool windowRan = false;
    bool cancelledFromTheDialog = false;
    // Acts as the officer once the transfer is under way: reads the dialog
    // and presses its cancel button.
    QTimer officer;
    officer.setInterval(50);
    QObject::connect(&officer, &QTimer::timeout, [&] {
        windowRan = true;
        QProgressDialog *dialog = shownDialog();
        if (!dialog || cancelledFromTheDialog)
            return;
        const QString label = dialog->findChild<QLabel *>()->text();
        if (!label.contains(QStringLiteral(" / 100000000 字节")) || dialog->value() <= 0)
            return;
        seenLabel = label;
        cancelledFromTheDialog = true;
        dialog->findChild<QPushButton *>()->click();
    });
    officer.start();
    QDeadlineTimer guard(5000);
    task.run(QStringLiteral("正在下载笔录模板……"), [&](TaskControl &control) {
        job(control);
        if (guard.hasExpired())
            ADD_FAILURE() << "the job was never cancelled";
    });
    EXPECT_TRUE(windowRan);
    EXPECT_TRUE(job.sawCancel);
    EXPECT_TRUE(seenLabel.startsWith(QStringLiteral("正在下载笔录模板……\n已传送 "))) << seenLabel.toStdString();
    EXPECT_EQ(shownDialog(), nullptr);
}

TEST(ProgressDialog, ClosesWhenTheJobEnds)
{
    ProgressDialog task;
    CountingJob job{20'000};
    bool modalSeen = false;
    QTimer look;
    look.setInterval(20);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QProgressDialog *dialog = shownDialog();
        modalSeen = modalSeen || (dialog && dialog->windowModality() == Qt::ApplicationModal);
    });
    look.start();
    task.run(QStringLiteral("正在上传笔录模板……"), [&](TaskControl &control) { job(control); });
    EXPECT_TRUE(modalSeen);
    EXPECT_FALSE(job.sawCancel);
    EXPECT_EQ(job.reached, 20'000);
    EXPECT_EQ(shownDialog(), nullptr);
}

} // namespace
