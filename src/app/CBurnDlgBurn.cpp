// The Burn command: the burn with the window's policy, then the shutdown.
#include "app/CBurnDlg.h"

#include "settings/SettingsFlags.h"

void CBurnDlg::OnBurn()
{
    BurnPolicy policy;
    policy.offerReallocRetry = true;
    // Taken once: the decisions after the burn follow what was set when the
    // burn began.
    policy.forceShutdown = (m_pOtherDlg->GetMoreFlags() & MORE_FORCE_SHUTDOWN) != 0;
    // The Shutdown box stays usable during the burn: what counts is whether
    // it is ticked when the burn has ended.
    policy.shutdownWanted = [this] { return m_bShutdown != 0; };
    const RecordingJob::Prelude takeFields = [this] {
        UpdateData(Exchange::FromControls);
        return 0;
    };
    const int copies = m_spnCopies->value();
    if (copies > 1 && m_portRecorders.SelectedDevice() != nullptr)
        OnBurnCopies(copies, takeFields, policy);
    else if (m_jobs.Command().Run(takeFields, policy).shutDown)
        RunShutdown();
}
