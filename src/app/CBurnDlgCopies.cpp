// The Burn command for several copies: the copies run (src/jobs/copies) with
// the window's boxes, and the shutdown once every copy is burned.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "platform/MessageBoxType.h"
#include "settings/SettingsFlags.h"

void CBurnDlg::OnBurnCopies(int copies)
{
    BurnPolicy policy;
    policy.offerReallocRetry = true;
    policy.forceShutdown = (m_pOtherDlg->GetMoreFlags() & MORE_FORCE_SHUTDOWN) != 0;
    policy.shutdownWanted = [this] { return m_bShutdown != 0; };
    const RecordingJob::Prelude takeFields = [this] {
        UpdateData(Exchange::FromControls);
        return 0;
    };
    const jobs::CopiesOutcome outcome = m_jobs.Copies().Run(copies, takeFields, policy, std::nullopt);
    if (outcome.refused) {
        ShowMessageBox(GetText(textid::CopiesToImageRecorder), QStringLiteral("Copies"),
                       mb::Ok | mb::IconStop);
        return;
    }
    SetStatusText(jobs::CopiesSummary(outcome, m_bVerify != 0, *this));
    if (outcome.shutDown)
        RunShutdown();
}
