#include "jobs/RecordingJob.h"

#include "jobs/burn/BurnReport.h"
#include "jobs/burn/BurnRun.h"
#include "jobs/erase/EraseJob.h"

RecordingJob::RecordingJob(BurnRun &burn, EraseJob &erase) : m_burn(burn), m_erase(erase) {}

RecordingJob::~RecordingJob()
{
    // The worker may be waiting for the GUI thread; Wait keeps serving it.
    m_done.Wait();
    JoinWorker();
}

bool RecordingJob::Claim()
{
    const std::lock_guard lock(m_claimMutex);
    if (m_running)
        return false;
    m_running = true;
    m_done.Reset();
    return true;
}

void RecordingJob::Finish(int result)
{
    SetPhase(JobPhase::Idle);
    // Under the claim's lock: a job claimed next must not see this job's
    // signal arrive after its own reset.
    const std::lock_guard lock(m_claimMutex);
    m_running = false;
    m_done.Set(result);
}

void RecordingJob::SetPhase(JobPhase phase)
{
    m_phase = phase;
    if (m_observer)
        m_observer(phase);
}

int RecordingJob::RunBurn(const Prelude &prelude)
{
    if (!Claim())
        return jobs::RunBurnJobRunning;
    SetPhase(JobPhase::Checking);
    int result = prelude ? prelude() : 0;
    if (result == 0)
        result = m_burn.Prepare();
    if (result != 0) {
        Finish(result);
        return result;
    }
    if (m_burn.EraseFirst()) {
        // An erase the burn needs asks nothing; the burn follows on the
        // worker, on the recorder the run keeps open.
        m_erase.StartErase(EraseStart::ForBurn);
        SetPhase(JobPhase::Erasing);
        StartWorker(true);
        return Wait();
    }
    SetPhase(JobPhase::Burning);
    result = m_burn.BurnCompilation();
    Finish(result);
    return result;
}

void RecordingJob::OnEraseButton()
{
    if (!Claim())
        return;
    if (!m_erase.StartErase(EraseStart::User)) {
        Finish(0);
        return;
    }
    SetPhase(JobPhase::Erasing);
    StartWorker(false);
}

void RecordingJob::OnEject()
{
    WhenIdle([this] { m_erase.OnEject(); });
}

bool RecordingJob::WhenIdle(const std::function<void()> &command)
{
    if (!Claim())
        return false;
    SetPhase(JobPhase::Command);
    command();
    Finish(0);
    return true;
}

int RecordingJob::Wait()
{
    return m_done.Wait();
}

void RecordingJob::StartWorker(bool burnAfterErase)
{
    // The previous worker has finished its job as its last step; joining it
    // takes no time.
    JoinWorker();
    m_worker = std::thread([this, burnAfterErase] {
        m_erase.EraseWorker();
        int result = 0;
        if (burnAfterErase) {
            SetPhase(JobPhase::Burning);
            result = m_burn.RunBurnAfterErase();
        }
        Finish(result);
    });
}

void RecordingJob::JoinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}
