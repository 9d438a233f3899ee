#include "background_task.h"

#include <thread>

namespace tamsel {

void WaitingTask::run(const QString &, const Job &job)
{
    TaskControl control;
    // A thread of its own even here, so the job runs exactly as it does
    // behind the progress dialog.
    std::thread worker([&] { job(control); });
    worker.join();
}

} // namespace tamsel
