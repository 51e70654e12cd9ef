#pragma once

#include "jobs/RecordingJob.h"
#include "jobs/ports/JobPorts.h"

#include <functional>

struct RecordingState;

// What a caller of a burn wants done around it. The Burn button and the
// command-line run each bring their own.
struct BurnPolicy
{
    // When the library reported that the VIDEO_TS structure could not be
    // reallocated, ask whether to burn again without reallocating.
    bool offerReallocRetry = false;
    // Power off after a failed burn too (the Other settings' forced shutdown).
    bool forceShutdown = false;
    // Whether a shutdown is wanted, asked once the burn has ended: the
    // window's Shutdown box stays usable during the burn.
    std::function<bool()> shutdownWanted;
};

struct BurnOutcome
{
    // The burn's result (the retry's when there was one), or
    // jobs::RunBurnJobRunning when another job ran.
    int result = 0;
    // The caller powers the machine off now.
    bool shutDown = false;
};

// A burn as a command: the whole burn through RecordingJob, the retry
// without reallocation when the policy offers it, and the power-off
// decision. Runs on the caller's thread and waits for the burn.
class BurnCommand
{
public:
    BurnCommand(const JobPorts &ports, RecordingState &state, RecordingJob &job);

    // prelude: as RecordingJob::RunBurn takes it (the window's fields, the
    // command-line run's lock).
    BurnOutcome Run(const RecordingJob::Prelude &prelude, const BurnPolicy &policy);

private:
    // Asks about the retry and runs it when the answer is Yes.
    int OfferRetry(int result);

    JobPorts m_ports;
    RecordingState &m_state;
    RecordingJob &m_job;
};
