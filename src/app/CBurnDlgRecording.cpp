// The recording set-up and the application message box the recording jobs
// raise. The jobs may run on worker threads: every widget access here goes
// through the GUI thread.
#include "app/CBurnDlg.h"

#include "platform/GuiThread.h"
#include "platform/MessageBoxType.h"
#include "platform/WindowMessageBox.h"

void CBurnDlg::InitRecording(int mediaSet)
{
    m_jobs.Setup().InitRecording(static_cast<uint32_t>(mediaSet));
}

void CBurnDlg::DoneRecording()
{
    m_jobs.Setup().DoneRecording();
}

int CBurnDlg::ShowAppMessageBox(const QString &text, const QString &caption, unsigned type)
{
    int answer = mb::IdCancel;
    RunOnGuiThread(
        [this, &answer, &text, &caption, type] {
            NoteErrorBox(text, type);
            answer = RunMessageBox(this, text, caption, type);
        },
        Blocking::Wait);
    return answer;
}
