#pragma once

#include "jobs/RecordingJob.h"
#include "jobs/copies/CopiesRun.h"

#include <atomic>
#include <functional>
#include <optional>

class BurnRun;
class IJobWindow;
class IQuestionPort;
struct DeviceInfo;

namespace jobs {

// Copies to the Image Recorder make no sense: it writes one file.
bool IsImageRecorder(const DeviceInfo &device);

// The copies host both the window and the command-line run use: each copy
// is a RecordingJob burn with the caller's prelude, and between copies the
// disc is ejected. With a person the next disc is asked for in a box
// ("Insert blank disc k of N", OK / Cancel) and a failed copy asks whether
// to go on; without one the run waits for the disc to change, up to a
// timeout, and says so through notice, and goes on after a failed copy only
// when told to (-k).
class CopiesHost : public ICopiesHost
{
public:
    struct Unattended
    {
        int waitSecs = 600;
        bool keepGoing = false;
        std::function<void(const QString &)> notice; // a line on standard error and in the log
    };

    CopiesHost(RecordingJob &job, BurnRun &burn, const DeviceInfo &device, IJobWindow &report,
               IQuestionPort &questions, const std::atomic<bool> &abort, RecordingJob::Prelude prelude);
    // Without a person at the window.
    void SetUnattended(Unattended unattended) { m_unattended = std::move(unattended); }

    int BurnCopy(bool lastCopy) override;
    bool NextDisc(int copy, int copies, QString &why) override;
    bool GoOnAfterFailure(int copy, int copies) override;
    bool StopRequested() const override { return m_abort.load(); }

private:
    RecordingJob &m_job;
    BurnRun &m_burn;
    const DeviceInfo &m_device;
    IJobWindow &m_report;
    IQuestionPort &m_questions;
    const std::atomic<bool> &m_abort;
    RecordingJob::Prelude m_prelude;
    std::optional<Unattended> m_unattended;
};

} // namespace jobs
