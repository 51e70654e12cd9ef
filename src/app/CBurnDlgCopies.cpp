// The Burn command for several copies: the copies run (src/jobs/copies) with
// the window's boxes, and the shutdown once every copy is burned.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "jobs/copies/CopiesHost.h"
#include "platform/MessageBoxType.h"

void CBurnDlg::OnBurnCopies(int copies)
{
    const DeviceInfo &device = *m_portRecorders.SelectedDevice();
    if (jobs::IsImageRecorder(device)) {
        ShowMessageBox(GetText(textid::CopiesToImageRecorder), QStringLiteral("Copies"),
                       mb::Ok | mb::IconStop);
        return;
    }
    const RecordingJob::Prelude takeFields = [this] {
        UpdateData(Exchange::FromControls);
        m_bEraseInteractive = 0;
        return 0;
    };
    jobs::CopiesHost host(m_jobs.Job(), m_jobs.Burn(), device, *this, m_portQuestions, m_bAbort, takeFields);
    const jobs::CopiesOutcome outcome = jobs::RunCopies(copies, m_bVerify != 0, m_strSourceDir, host, *this);
    SetStatusText(jobs::CopiesSummary(outcome, m_bVerify != 0, *this));
    m_bAbort = false;
    if (m_bShutdown != 0 && outcome.AllBurned())
        RunShutdown();
}
