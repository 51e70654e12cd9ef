// The Burn command: the burn to its end, the offer to burn again without
// reallocating the VIDEO_TS structure, and the shutdown after burning.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MessageBoxType.h"
#include "settings/SettingsFlags.h"

namespace {

const char *const ReallocCaption = "Problem Reallocation!";

} // namespace

void CBurnDlg::OnBurn()
{
    if (m_spnCopies->value() > 1 && m_portRecorders.SelectedDevice() != nullptr) {
        OnBurnCopies(m_spnCopies->value());
        return;
    }
    // Taken once: the decisions after the burn follow what was set when the
    // burn began.
    const bool forceShutdown = (m_pOtherDlg->GetMoreFlags() & MORE_FORCE_SHUTDOWN) != 0;
    const RecordingJob::Prelude takeFields = [this] {
        UpdateData(Exchange::FromControls);
        // An erase this burn needs is part of it: no questions, the burn follows.
        m_bEraseInteractive = 0;
        return 0;
    };

    // Waits (serving the window's events) for a burn that follows an erase,
    // so that the decisions below are made on the burn's own result.
    int result = m_jobs.Job().RunBurn(takeFields);
    // A second run would drive the same recorder at the same time.
    if (result == jobs::RunBurnJobRunning)
        return;
    // The Shutdown box stays usable during the burn: what counts is whether
    // it is ticked now.
    const bool forcedShutdown = m_bShutdown != 0 && forceShutdown;

    // A pending forced shutdown must not wait for an answer nobody gives.
    if (result == BURN_FAILED && m_bReallocProblem != 0 && !forcedShutdown) {
        m_bReallocProblem = 0;
        m_strText = GetText(textid::ReallocQuestion);
        const int answer =
            ShowMessageBox(m_strText, QString::fromLatin1(ReallocCaption), mb::YesNo | mb::IconWarning);
        if (answer == mb::IdYes) {
            AppendLogText(textid::BurningAgain);
            m_bReallocate = 0;
            UpdateData(Exchange::ToControls);
            result = m_jobs.Job().RunBurn();
        } else {
            AppendLogText(textid::NotBurningAgain);
            SetStatusText(GetText(textid::NotWrittenRealloc));
        }
    }

    if (m_bShutdown != 0 && (result == 0 || forcedShutdown))
        RunShutdown();
}
