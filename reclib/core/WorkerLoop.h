#pragma once

#include "burn/JobChannel.h"
#include "core/CallerSide.h"

#include <functional>

namespace reclib {

enum class PollKind {
    Burn, // idle, progress and abort callbacks; an abort cancels the job
    Idle, // idle callback only; an abort there asks the job to end its waits
          // (a paced erase), never to stop a drive's work
};

// Runs job on a thread of its own while the calling thread delivers the
// job's messages and calls the program's callbacks every 50 ms (twenty
// times a second). Returns when the job has ended, after a last delivery.
void runWhilePolling(const std::function<void(JobChannel &)> &job, JobChannel &channel,
                     const CallerSide &caller, PollKind kind);

} // namespace reclib
