#pragma once

#include "jobs/BurnCommand.h"
#include "jobs/copies/CopiesRun.h"

#include <functional>
#include <optional>

class BurnRun;
struct DeviceInfo;
struct RecordingState;

namespace jobs {

// The copies host both the window and the command-line run use: each copy
// is a BurnCommand burn with the caller's prelude, and between copies the
// disc is ejected. With a person the next disc is asked for in a box
// ("Insert blank disc k of N", OK / Cancel) and a failed copy asks whether
// to go on; without one the run waits for the disc to change, up to a
// timeout, and says so through notice, and goes on after a failed copy only
// when told to (-k).
class CopiesHost : public ICopiesHost
{
public:
    // Without a person at the window (the wait's limit is a setting).
    struct Unattended
    {
        bool keepGoing = false;
        std::function<void(const QString &)> notice; // a line on standard error and in the log
    };

    // policy: the caller's, without the power-off, which follows the last copy.
    CopiesHost(const JobPorts &ports, RecordingState &state, BurnRun &burn, BurnCommand &command,
               const DeviceInfo &device, RecordingJob::Prelude prelude, BurnPolicy policy,
               std::optional<Unattended> unattended);

    int BurnCopy(bool lastCopy) override;
    bool NextDisc(int copy, int copies, QString &why) override;
    bool GoOnAfterFailure(int copy, int copies) override;
    bool StopRequested() const override;

private:
    JobPorts m_ports;
    RecordingState &m_state;
    BurnRun &m_burn;
    BurnCommand &m_command;
    const DeviceInfo &m_device;
    RecordingJob::Prelude m_prelude;
    BurnPolicy m_policy;
    std::optional<Unattended> m_unattended;
};

} // namespace jobs
