#include "jobs/BurnCommand.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MessageBoxType.h"

#include <reclib_api.h>

namespace {

const char *const ReallocCaption = "Problem Reallocation!";

} // namespace

BurnCommand::BurnCommand(const JobPorts &ports, RecordingState &state, RecordingJob &job)
    : m_ports(ports), m_state(state), m_job(job)
{
}

BurnOutcome BurnCommand::Run(const RecordingJob::Prelude &prelude, const BurnPolicy &policy)
{
    const RecordingJob::Prelude claimed = [this, &prelude] {
        // An erase this burn needs is part of it: no questions, the burn follows.
        m_state.m_bEraseInteractive = 0;
        return prelude ? prelude() : 0;
    };
    // Waits for a burn that follows an erase, so that the decisions below
    // are made on the burn's own result.
    BurnOutcome outcome;
    outcome.result = m_job.RunBurn(claimed);
    // A second run would drive the same recorder at the same time.
    if (outcome.result == jobs::RunBurnJobRunning)
        return outcome;

    const bool wanted = policy.shutdownWanted && policy.shutdownWanted();
    const bool forced = wanted && policy.forceShutdown;
    // A pending forced shutdown must not wait for an answer nobody gives.
    if (policy.offerReallocRetry && outcome.result == BURN_FAILED && m_state.m_bReallocProblem != 0 &&
        !forced)
        outcome.result = OfferRetry(outcome.result);

    outcome.shutDown = wanted && (outcome.result == 0 || forced);
    return outcome;
}

int BurnCommand::OfferRetry(int result)
{
    m_state.m_bReallocProblem = 0;
    IJobWindow &report = m_ports.report;
    const int answer =
        report.ShowMessageBox(report.GetText(textid::ReallocQuestion), QString::fromLatin1(ReallocCaption),
                              mb::YesNo | mb::IconWarning);
    if (answer != mb::IdYes) {
        report.AppendLogText(textid::NotBurningAgain);
        report.SetStatusText(report.GetText(textid::NotWrittenRealloc));
        return result;
    }
    report.AppendLogText(textid::BurningAgain);
    m_state.m_bReallocate = 0;
    m_ports.busy.UpdateData(Exchange::ToControls);
    return m_job.RunBurn();
}
