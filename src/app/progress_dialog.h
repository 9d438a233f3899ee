#pragma once

#include "background_task.h"

class QWidget;

namespace tamsel {

// The window's BackgroundTask: runs the job on a worker thread behind a
// modal progress dialog that shows the bytes done (and the share of the
// total once it is known) and offers "取消". Cancelling asks the job to
// stop; the dialog stays until the job has ended, so `run` never returns
// while the job still touches its inputs. The window keeps painting
// meanwhile.
class ProgressDialog final : public BackgroundTask
{
public:
    explicit ProgressDialog(QWidget *parent = nullptr) : m_parent(parent) {}

    void run(const QString &label, const Job &job) override;

private:
    QWidget *m_parent;
};

} // namespace tamsel
