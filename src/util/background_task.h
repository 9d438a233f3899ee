#pragma once

#include <QString>

#include <atomic>
#include <functional>

namespace tamsel {

// What a job running off the GUI thread shares with the one who waits for
// it: bytes done so far (written by the job) and a cancel request (written
// by the waiter). Both sides may touch it from their own thread.
class TaskControl
{
public:
    // `total` is -1 while the size is not known.
    void setProgress(qint64 done, qint64 total)
    {
        m_total.store(total);
        m_done.store(done);
    }
    qint64 done() const { return m_done.load(); }
    qint64 total() const { return m_total.load(); }

    void cancel() { m_cancelled.store(true); }
    bool isCancelled() const { return m_cancelled.load(); }

private:
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{-1};
    std::atomic<bool> m_cancelled{false};
};

// Runs a long job (a network transfer) on a worker thread while the caller
// waits. The window's implementation shows a modal progress dialog with the
// bytes done and a cancel button; `WaitingTask` just waits. The job must not
// touch the window: it gets its inputs by value and leaves its result in
// variables the caller reads after `run` returns.
class BackgroundTask
{
public:
    using Job = std::function<void(TaskControl &control)>;

    virtual ~BackgroundTask() = default;

    // Returns when the job has finished, whether it completed or stopped
    // early after a cancel request; `label` tells the person what is going on.
    virtual void run(const QString &label, const Job &job) = 0;
};

// Runs the job on a worker thread and blocks until it ends: for tamsel-cli
// and the tests, where nothing has to be painted meanwhile.
class WaitingTask final : public BackgroundTask
{
public:
    void run(const QString &label, const Job &job) override;
};

} // namespace tamsel
