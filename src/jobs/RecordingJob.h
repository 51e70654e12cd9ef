#pragma once

#include "jobs/erase/JobDoneSignal.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

class BurnRun;
class EraseJob;

// Where the running job is.
enum class JobPhase {
    Idle,
    Checking, // source, label, recorder, disc, compilation, DVD-Video check
    Erasing,  // on the erase worker
    Burning,  // the caller's thread, or the erase worker after an erase
    Command,  // a window command that re-reads the recorders
};

// The one owner of a job's sequence: check -> erase (when the disc needs
// it) -> burn, or the erase the user asked for, or a command that reopens
// the recording set-up. Only one runs at a time, and only this object says
// whether one does.
//
// The Burn command's burn runs on the caller's thread; an erase runs on a
// worker thread this object owns, and the burn that follows an erase runs
// there too. Destroying the job waits for that worker.
class RecordingJob
{
public:
    // Runs once the job is claimed, before the burn's first step: 0 goes
    // on, anything else is the burn's result and ends it there.
    using Prelude = std::function<int()>;
    using PhaseObserver = std::function<void(JobPhase)>;

    RecordingJob(BurnRun &burn, EraseJob &erase);
    ~RecordingJob();

    RecordingJob(const RecordingJob &) = delete;
    RecordingJob &operator=(const RecordingJob &) = delete;

    // The whole burn: checks, erases a used rewritable disc first when the
    // burn can follow (waiting, on the GUI thread while serving its events,
    // for the burn on the erase worker), burns. Its result, or
    // jobs::RunBurnJobRunning when another job runs.
    int RunBurn(const Prelude &prelude = {});
    // The Erase button: asks, then erases on the worker; returns at once.
    // Nothing while another job runs.
    void OnEraseButton();
    // The eject button. Nothing while another job runs.
    void OnEject();
    // Runs a window command that reopens the recording set-up (media type,
    // refresh, another recorder) as a job of its own; nothing while another
    // job runs. True when it ran.
    bool WhenIdle(const std::function<void()> &command);

    // From the claim of a job to its last step, the burn after an erase
    // included. Any thread.
    bool Running() const { return m_running.load(); }
    JobPhase Phase() const { return m_phase.load(); }
    // Waits until the running job has ended and answers its result (the
    // burn's, 0 for an erase without a burn); at once without a job.
    int Wait();
    // Told every phase change, on the thread of the job; for tests.
    void ObservePhases(PhaseObserver observer) { m_observer = std::move(observer); }

private:
    bool Claim();
    void Finish(int result);
    void SetPhase(JobPhase phase);
    // The erase worker: erases, then burns when the burn asked for it.
    void StartWorker(bool burnAfterErase);
    void JoinWorker();

    BurnRun &m_burn;
    EraseJob &m_erase;
    std::mutex m_claimMutex;
    std::atomic<bool> m_running{false};
    std::atomic<JobPhase> m_phase{JobPhase::Idle};
    PhaseObserver m_observer;
    JobDoneSignal m_done;
    std::thread m_worker;
};
