#include "jobs/copies/CopiesCommand.h"

#include "jobs/setup/RecorderChoice.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnReport.h"

namespace jobs {

CopiesCommand::CopiesCommand(const JobPorts &ports, RecordingState &state, BurnRun &burn,
                             BurnCommand &command)
    : m_ports(ports), m_state(state), m_burn(burn), m_command(command)
{
}

CopiesOutcome CopiesCommand::Run(int copies, const RecordingJob::Prelude &prelude, const BurnPolicy &policy,
                                 std::optional<CopiesHost::Unattended> unattended)
{
    CopiesOutcome outcome;
    outcome.copies = copies;
    const DeviceInfo *device = m_ports.recorders.SelectedDevice();
    if (device == nullptr) {
        outcome.failedResult = RunBurnNoRecorder;
        return outcome;
    }
    if (IsImageRecorder(*device)) {
        m_ports.report.AppendLogText(textid::CopiesToImageRecorder);
        outcome.refused = true;
        return outcome;
    }
    CopiesHost host(m_ports, m_state, m_burn, m_command, *device, prelude, policy, std::move(unattended));
    // The copies are compared against what each burns: the image file when
    // one is chosen, else the folder.
    const QString source = m_state.m_strImageFile.isEmpty() ? m_state.m_strSourceDir : m_state.m_strImageFile;
    outcome = RunCopies(copies, m_state.m_bVerify != 0, source, host, m_ports.report);
    // The power-off follows the last copy: after every copy was burned, or
    // after any end when it is forced, as after a single burn.
    const bool wanted = policy.shutdownWanted && policy.shutdownWanted();
    outcome.shutDown = wanted && (outcome.AllBurned() || policy.forceShutdown);
    return outcome;
}

} // namespace jobs
