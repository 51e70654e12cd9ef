#include "jobs/erase/EraseJob.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/desktop/DesktopHooks.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"
#include "recorder/RecorderHandle.h"

#include <chrono>

namespace {

// What the library's error log says, in its words; empty when nothing.
QString LibraryErrors()
{
    char *errors = NeroGetErrorLog();
    const QString text = QString::fromUtf8(errors != nullptr ? errors : "");
    NeroFreeMem(errors);
    return text;
}

} // namespace

EraseJob::EraseJob(const JobPorts &ports, RecordingState &state)
    : m_ports(ports), m_state(state), m_clock(ports, state)
{
}

bool EraseJob::StartErase(EraseStart start)
{
    if (start == EraseStart::User) {
        // The Erase button's erase reports in boxes and burns nothing.
        m_state.m_bEraseInteractive = 1;
        const int answer = m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::OverwriteRewritable),
                                                         QString::fromLatin1(rec_caption::EraseRewritable),
                                                         mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
        if (answer != mb::IdYes)
            return false;
    } else {
        // An erase the burn run needs is part of that burn: the burn follows.
        m_state.m_bEraseInteractive = 0;
    }
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::Erasing));
    m_ports.busy.UpdateData(Exchange::ToControls);
    m_ports.busy.EnableBusyUi(AbortButton::Disabled);
    m_state.m_pCurDevice = m_ports.recorders.SelectedDevice();
    if (start == EraseStart::ForBurn)
        m_state.m_nEraseMode = 1;
    m_state.m_evtJobDone.Reset();
    return true;
}

void EraseJob::EraseWorker()
{
    m_ports.busy.EnableAbort(false);
    const bool forBurn = m_state.m_bEraseInteractive == 0;
    bool eraseFailed = false;
    if (forBurn) {
        // The burn run holds the recorder open from its look at the disc to
        // the end of the burn, so nothing can come between erase and burn.
        if (m_state.m_hDevice.IsOpen())
            eraseFailed = !EraseOpenDevice();
    } else if (!UnmountDesktopDisc()) {
        eraseFailed = true;
    } else {
        if (m_state.m_pCurDevice != nullptr)
            m_state.m_recorder = RecorderHandle(*m_state.m_pCurDevice);
        if (m_state.m_hDevice.IsOpen())
            eraseFailed = !EraseOpenDevice();
        m_state.m_recorder.Close();
    }
    // Also after a failure before the erase started: the clock must not
    // wait for an erase that never comes.
    m_state.m_evtJobDone.Set();
    if (!forBurn)
        m_ports.busy.RestoreIdleUi();
    m_ports.report.AppendLogText(textid::StatusReady);
    // A failed erase has logged its own text instead.
    if (!eraseFailed)
        m_ports.report.AppendLogText(textid::EraseFinished);
}

bool EraseJob::EraseOpenDevice()
{
    const int mode = m_state.m_nEraseMode;
    const int estimate = NeroGetCDRWErasingTime(m_state.m_hDevice.Get(), mode);
    m_state.m_nEraseSecs = estimate;
    switch (estimate) {
    case ERASE_TIME_NO_DEVICE:
        ReportEstimateError(textid::EraseNoRecorder);
        return true;
    case ERASE_TIME_NO_MEDIUM:
        ReportEstimateError(textid::EraseNoDisc);
        return true;
    case ERASE_TIME_NOT_ERASABLE:
        ReportEstimateError(textid::EraseNotErasable);
        return true;
    default:
        break;
    }
    m_clock.Start();
    m_ports.report.AppendLog(FormatText(m_ports.report.GetText(textid::EraseTimeFormat), {estimate}));
    m_ports.report.AppendLogText(textid::EraseRunning);
    const auto started = std::chrono::steady_clock::now();
    auto noSleep = std::make_unique<jobs::NoSleepWhileWriting>(
        m_ports.report, m_ports.report.GetText(textid::InhibitEraseWhy));
    const int result = NeroEraseCDRW(m_state.m_hDevice.Get(), mode);
    // An erase for a burn keeps the machine awake until the burn holds its
    // own lock; any other lets go before its box.
    if (result == 0 && m_state.m_bEraseInteractive == 0)
        m_state.m_sleepUntilBurn = std::move(noSleep);
    else
        noSleep->Release();
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started).count();
    // The clock stops when the erase ends, not when a person has read the
    // box below: a box left open must not run it into its overtime.
    m_state.m_evtJobDone.Set();
    const bool interactive = m_state.m_bEraseInteractive == 1;
    if (interactive)
        jobs::NoticeJobEnd(
            m_ports.report,
            m_ports.report.GetText(result == 0 ? textid::EraseFinished : textid::EraseFailedNotice),
            QString::fromUtf8(m_state.m_pCurDevice != nullptr ? m_state.m_pCurDevice->name : ""), seconds);
    if (result != 0) {
        const QString text = FormatText(m_ports.report.GetText(textid::EraseFailed), {result});
        m_ports.report.AppendLog(text);
        // The cause, in the library's words, for the log and the run's reason.
        const QString why = LibraryErrors();
        if (!why.isEmpty()) {
            m_ports.report.AppendLog(why);
            m_state.m_strLibraryErrors = why;
        }
        if (interactive)
            m_ports.questions.ShowAppMessageBox(why.isEmpty() ? text : text + QLatin1Char('\n') + why,
                                                QString::fromLatin1(rec_caption::Application), mb::IconStop);
        return false;
    }
    if (interactive)
        m_ports.questions.ShowAppMessageBox(m_ports.report.GetText(textid::EraseFinished),
                                            QString::fromLatin1(rec_caption::Application),
                                            mb::IconInformation);
    return true;
}

bool EraseJob::UnmountDesktopDisc()
{
    // The burn's erase follows the burn run's unmount; this is the user's.
    if (m_state.m_pCurDevice == nullptr)
        return true;
    const QString mounted = jobs::UnmountDesktopDisc(m_ports.report, *m_state.m_pCurDevice);
    if (mounted.isEmpty())
        return true;
    m_ports.report.AppendLog(mounted);
    m_state.m_strLibraryErrors = mounted;
    m_ports.questions.ShowAppMessageBox(mounted, QString::fromLatin1(rec_caption::Application), mb::IconStop);
    return false;
}

void EraseJob::ReportEstimateError(int textId)
{
    m_ports.report.AppendLogText(textId);
    // Why, when the library knows more (a configuration that names no disc).
    if (const QString why = LibraryErrors(); !why.isEmpty())
        m_ports.report.AppendLog(why);
    if (m_state.m_bEraseInteractive == 1)
        m_ports.questions.ShowAppMessageBox(m_ports.report.GetText(textId),
                                            QString::fromLatin1(rec_caption::Application), mb::IconStop);
}

void EraseJob::OnEject()
{
    const DeviceInfo *device = m_ports.recorders.SelectedDevice();
    if (device == nullptr)
        return;
    m_state.m_recorder = RecorderHandle(*device);
    if (m_state.m_hDevice.IsOpen())
        NeroEjectLoadCD(m_state.m_hDevice.Get(), 1);
    m_state.m_recorder.Close();
}
