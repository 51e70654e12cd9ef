#include "jobs/copies/CopiesHost.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnRun.h"
#include "jobs/copies/DiscChange.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

namespace jobs {
namespace {

const char *const CopiesCaption = "Copies";

} // namespace

CopiesHost::CopiesHost(const JobPorts &ports, RecordingState &state, BurnRun &burn, BurnCommand &command,
                       const DeviceInfo &device, RecordingJob::Prelude prelude, BurnPolicy policy,
                       std::optional<Unattended> unattended)
    : m_ports(ports), m_state(state), m_burn(burn), m_command(command), m_device(device),
      m_prelude(std::move(prelude)), m_policy(std::move(policy)), m_unattended(std::move(unattended))
{
    m_policy.shutdownWanted = {};
}

bool CopiesHost::StopRequested() const
{
    return m_state.m_bAbort.load();
}

int CopiesHost::BurnCopy(bool lastCopy)
{
    m_burn.KeepDiscIn(!lastCopy);
    const int result = m_command.Run(m_prelude, m_policy).result;
    m_burn.KeepDiscIn(false);
    return result;
}

bool CopiesHost::NextDisc(int copy, int copies, QString &why)
{
    DiscChange change(m_device);
    change.EjectBurnedCopy();
    if (m_unattended) {
        const int secs = m_ports.settings.TakeJobSettings().discChangeWaitSecs;
        if (m_unattended->notice)
            m_unattended->notice(
                FormatText(m_ports.report.GetText(textid::WaitingForDisc), {copy, copies, secs}));
        switch (WaitForNextDisc(change, std::chrono::seconds(secs), [this] { return StopRequested(); })) {
        case DiscWait::Inserted:
            return true;
        case DiscWait::TimedOut:
            why = FormatText(m_ports.report.GetText(textid::DiscChangeTimeout), {secs});
            return false;
        case DiscWait::Stopped:
            return false;
        }
        return false;
    }
    const QString ask = FormatText(m_ports.report.GetText(textid::InsertBlankDisc), {copy, copies});
    for (;;) {
        const int answer = m_ports.questions.ShowAppMessageBox(ask, QString::fromLatin1(CopiesCaption),
                                                               mb::OkCancel | mb::IconInformation);
        if (answer != mb::IdOk || StopRequested())
            return false;
        // A drive takes a few seconds to read a disc the tray just took in.
        if (WaitForNextDisc(change, std::chrono::seconds(15), [this] { return StopRequested(); }) ==
            DiscWait::Inserted)
            return true;
        m_ports.report.AppendLogText(textid::CopyDiscNotChanged);
    }
}

bool CopiesHost::GoOnAfterFailure(int copy, int copies)
{
    if (m_unattended)
        return m_unattended->keepGoing;
    const QString ask = FormatText(m_ports.report.GetText(textid::GoOnAfterFailedCopy), {copy, copies});
    return m_ports.questions.ShowAppMessageBox(ask, QString::fromLatin1(CopiesCaption),
                                               mb::YesNo | mb::IconQuestion) == mb::IdYes;
}

} // namespace jobs
