// The Shutdown check box and the sequence that powers the machine off after
// a burn.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "log/CShutdownDlg.h"
#include "log/LogFile.h"
#include "log/RegistryRead.h"
#include "log/SystemShutdown.h"
#include "platform/GuiThread.h"
#include "platform/RegistryStore.h"
#include "platform/TextFormat.h"

namespace {

constexpr int StandBySeconds = 5;

} // namespace

void CBurnDlg::OnShutdownCheck()
{
    // The command-line run calls this from its worker; the scratch strings
    // and the settings object belong to the GUI thread.
    RunOnGuiThread(
        [this] {
            UpdateData(Exchange::FromControls);
            // Clearing the box undoes nothing: the disc simply stays in the
            // recorder after the next burn as well.
            if (m_bShutdown != 1)
                return;
            const QString logPath = AutomaticLogPath(DesktopFolder(m_registry), m_strVolume);
            // The burn before the power-off must leave the disc in the tray: an
            // open tray would stay open with the machine off.
            m_pOtherDlg->m_bNoEject = 1;
            m_strText = GetText(textid::ShutdownAnnounced);
            m_strMsg = FormatText(m_strText, {logPath});
            AppendLog(m_strMsg);
        },
        Blocking::Wait);
}

void CBurnDlg::RunShutdown()
{
    RunOnGuiThread(
        [this] {
            // Without a parent: the stand-by window must show even while the
            // main window is minimised.
            CShutdownDlg standBy;
            standBy.m_nSeconds = StandBySeconds;
            standBy.m_strMessage = GetText(textid::ShutdownStandBy);
            standBy.exec();
        },
        Blocking::Wait);
    WriteLogFile(static_cast<int>(LogFileKind::BeforeShutdown));
    // A refusal (no logind, no permission) is told; the burn succeeded all
    // the same, so the program closes with its status.
    const QString refusal = ShutdownWindows();
    if (!refusal.isEmpty())
        AppendNotice(FormatText(GetText(textid::PowerOffFailed), {refusal}));
    // The burn is over, but the job's worker may still be ending it; the
    // recording library must not be unloaded under it.
    m_jobs.Job().Wait();
    CloseRecordingAndEnd();
}
