// The Burn command for several copies: the copies run (src/jobs/copies) with
// the window's boxes, and the shutdown once every copy is burned.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "platform/MessageBoxType.h"

void CBurnDlg::OnBurnCopies(int copies, const RecordingJob::Prelude &takeFields, const BurnPolicy &policy)
{
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
