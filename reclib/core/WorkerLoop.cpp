#include "core/WorkerLoop.h"

#include <chrono>
#include <future>
#include <thread>

namespace reclib {

void runWhilePolling(const std::function<void(JobChannel &)> &job, JobChannel &channel,
                     const CallerSide &caller, PollKind kind)
{
    std::packaged_task<void()> task([&] { job(channel); });
    std::future<void> finished = task.get_future();
    std::thread worker(std::move(task));
    const auto pollOnce = [&] {
        if (kind == PollKind::Burn) {
            if (caller.poll(channel))
                channel.requestCancel();
        } else if (caller.pollIdle(channel)) {
            channel.requestCancel();
        }
    };
    do {
        pollOnce();
    } while (finished.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready);
    worker.join();
    pollOnce();
    finished.get();
}

} // namespace reclib
