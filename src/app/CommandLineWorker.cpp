#include "app/CommandLineWorker.h"

#include "TextIds.h"
#include "app/CBurnDlg.h"
#include "app/RunReason.h"
#include "cmdline/CommandLineOptions.h"
#include "jobs/burn/BurnReport.h"
#include "jobs/burn/BurnRun.h"
#include "jobs/copies/CopiesHost.h"
#include "jobs/desktop/DesktopHooks.h"
#include "log/LogFile.h"
#include "platform/CPathHelper.h"
#include "platform/GuiThread.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>

namespace {

const char *const ParseErrorCaption = "CL parsing error!";
constexpr auto StartDelay = std::chrono::milliseconds(1000);

using cmdline::ParsedCommandLine;
using cmdline::StepKind;

} // namespace

CommandLineWorker::CommandLineWorker(CBurnDlg &window) : m_window(window) {}

CommandLineWorker::~CommandLineWorker()
{
    Stop();
}

void CommandLineWorker::Start(const QStringList &tokens)
{
    if (m_started)
        return;
    m_started = true;
    m_tokens = tokens;
    m_done.Reset();
    jobs::SetRunAttendance(desktop::Attendance::Unattended);
    m_thread = std::jthread([this](std::stop_token stop) { Run(stop); });
}

void CommandLineWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_sleepMutex);
        m_thread.request_stop();
    }
    m_sleepWake.notify_all();
    // A burn cannot be left half done: the library is asked to give up.
    if (!m_done.IsSet())
        m_window.m_bAbort = true;
    // The worker may be waiting for the GUI thread; Wait keeps serving it.
    m_done.Wait();
    m_thread.join();
}

int CommandLineWorker::WaitForRun()
{
    return m_done.Wait();
}

bool CommandLineWorker::SleepBeforeRun(std::stop_token stop)
{
    // The window's start-up finishes first.
    std::unique_lock lock(m_sleepMutex);
    m_sleepWake.wait_for(lock, stop, StartDelay, [] { return false; });
    return !stop.stop_requested();
}

void CommandLineWorker::Run(std::stop_token stop)
{
    int result = NoBurnResult;
    if (SleepBeforeRun(stop)) {
        const ParsedCommandLine parsed = cmdline::ParseCommandLine(m_tokens);
        RunOnGuiThread([this, &parsed] { ApplyOptions(parsed); }, Blocking::Wait);
        if (parsed.parseError) {
            ShowParseError(parsed);
            Failed(runexit::ParseError, ParseErrorCause(parsed));
        } else if (!parsed.folderGiven || parsed.prepareOnly) {
            // The window waits for a person; without one nothing will happen.
            if (m_presence == Presence::Unattended) {
                const int cause = parsed.prepareOnly ? textid::CausePrepareOnly : textid::CauseNoFolder;
                Failed(runexit::NothingToBurn, m_window.GetText(cause));
            }
        } else if (!stop.stop_requested() && !m_window.HasEnded()) {
            // A window closed meanwhile has let the recording library go.
            result = Burn(parsed);
        }
        m_window.UpdateData(Exchange::ToControls);
    }
    m_done.Set(result);
}

void CommandLineWorker::ApplyOptions(const ParsedCommandLine &parsed)
{
    ApplySteps(parsed);
    m_window.UpdateData(Exchange::ToControls);
    if (!parsed.parseError && parsed.folderGiven) {
        if (!parsed.labelGiven)
            TakeLabelFromFolder();
        if (parsed.prepareOnly)
            m_window.m_btnBurn->setEnabled(true);
    }
    // The Shutdown box's handler announces the log file it will write,
    // named after the label: it runs once the label is final, the one taken
    // from the folder included.
    if (parsed.shutdownWanted) {
        m_window.UpdateData(Exchange::ToControls);
        m_window.OnShutdownCheck();
    }
}

void CommandLineWorker::TakeLabelFromFolder()
{
    const QString folder = m_window.m_strSourceDir;
    m_window.SetLabelFromFolder(folder);
    const QString label = m_window.m_strVolume;
    const QString name = CPathHelper().GetLastComponent(folder);
    m_window.AppendLog(
        FormatText(m_window.GetText(textid::LabelFromFolderName), {label, name.isEmpty() ? folder : name}));
    // "-d <film>/VIDEO_TS" is a common slip: the files still go into
    // VIDEO_TS on the disc, but the disc is named after the wrong folder.
    if (label.compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0)
        m_window.AppendLog(FormatText(m_window.GetText(textid::LabelVideoTsHint),
                                      {QFileInfo(QDir::cleanPath(folder)).path()}));
}

void CommandLineWorker::ApplySteps(const ParsedCommandLine &parsed)
{
    for (const cmdline::Step &step : parsed.steps) {
        switch (step.kind) {
        case StepKind::SourceFolder:
            m_window.AppendLog(FormatText(m_window.GetText(step.textId), {step.value}));
            m_window.m_strSourceDir = step.value;
            m_window.CheckSourceSize();
            break;
        case StepKind::VolumeLabel:
            m_window.AppendLog(FormatText(m_window.GetText(step.textId), {step.value}));
            m_window.m_strVolume = step.value;
            break;
        case StepKind::NoEject:
            m_window.AppendLogText(step.textId);
            m_window.m_pOtherDlg->m_bNoEject = 1;
            break;
        case StepKind::AnyLayerBreak:
            m_window.AppendLogText(step.textId);
            m_window.m_bAnyLayerBreak = 1;
            break;
        case StepKind::OverwriteNoAsk:
            m_window.AppendLogText(step.textId);
            m_window.m_pOtherDlg->m_bNoOverwriteAsk = 1;
            break;
        case StepKind::Shutdown:
            m_window.AppendLogText(step.textId);
            // The box's handler follows once the label is known.
            m_window.m_bShutdown = 1;
            break;
        case StepKind::WriteLog:
        case StepKind::Error:
            m_window.AppendLogText(step.textId);
            break;
        case StepKind::Copies:
            m_window.AppendLog(FormatText(m_window.GetText(step.textId), {step.value}));
            break;
        case StepKind::KeepGoing:
            m_window.AppendLogText(step.textId);
            break;
        case StepKind::PrepareOnly:
        case StepKind::Quiet:
        case StepKind::Json:
            break;
        }
    }
}

void CommandLineWorker::ShowParseError(const ParsedCommandLine &parsed)
{
    // The box names the last error; the log holds every one of them.
    int textId = textid::CmdBadToken;
    for (const cmdline::Step &step : parsed.steps) {
        if (step.kind == StepKind::Error)
            textId = step.textId;
    }
    m_window.ShowMessageBox(m_window.GetText(textId), QString::fromLatin1(ParseErrorCaption),
                            mb::Ok | mb::IconStop);
}

int CommandLineWorker::Burn(const ParsedCommandLine &parsed)
{
    bool noRecorder = false;
    // Claimed as a job before the window is locked, so that nothing else
    // starts on the recorder (or closes the window) from here on.
    const RecordingJob::Prelude lockWindow = [this, &noRecorder] {
        m_window.EnableBusyUi(AbortButton::Disabled);
        RunOnGuiThread([this] { m_window.showMinimized(); }, Blocking::Wait);
        if (m_window.m_portRecorders.SelectedDevice() != nullptr)
            return 0;
        m_window.AppendLogText(textid::NoRecorderSelected);
        noRecorder = true;
        return static_cast<int>(jobs::RunBurnNoRecorder);
    };
    if (parsed.copies > 1 && m_window.m_portRecorders.SelectedDevice() != nullptr)
        return BurnCopies(parsed, lockWindow);
    // The job looks at the disc, asks about a used rewritable one (once),
    // and erases it only when the burn can follow; that burn's result is
    // the one that counts.
    const int result = m_window.Jobs().Job().RunBurn(lockWindow);
    if (noRecorder) {
        Failed(runexit::RecorderUnavailable);
    } else if (result == 0) {
        Succeeded(parsed);
    } else {
        const runexit::Status status = runexit::ForBurnResult(
            result, m_window.Jobs().Burn().RecorderWasOpened() ? runexit::RecorderOpened::Yes
                                                               : runexit::RecorderOpened::No);
        // An abort names the signal that asked for it.
        Failed(status, status == runexit::BurnAborted ? m_window.JobAbortSignalLine() : QString());
    }
    return result;
}

int CommandLineWorker::BurnCopies(const ParsedCommandLine &parsed, const std::function<int()> &lockWindow)
{
    const DeviceInfo &device = *m_window.m_portRecorders.SelectedDevice();
    if (jobs::IsImageRecorder(device)) {
        m_window.AppendLogText(textid::CopiesToImageRecorder);
        Failed(runexit::ParseError, m_window.GetText(textid::CopiesToImageRecorder));
        return NoBurnResult;
    }
    RecordingJobs &jobs = m_window.Jobs();
    jobs::CopiesHost host(jobs.Job(), jobs.Burn(), device, m_window, m_window.m_portQuestions,
                          m_window.m_bAbort, lockWindow);
    if (m_presence == Presence::Unattended)
        host.SetUnattended({m_window.m_portSettings.TakeJobSettings().discChangeWaitSecs, parsed.keepGoing,
                            [this](const QString &line) { m_window.AppendNotice(line); }});
    const jobs::CopiesOutcome outcome =
        jobs::RunCopies(parsed.copies, m_window.m_bVerify != 0, m_window.m_strSourceDir, host, m_window);
    if (outcome.AllBurned()) {
        Succeeded(parsed);
        return 0;
    }
    QString detail = outcome.stoppedBecause;
    if (detail.isEmpty() && outcome.failedResult == BURN_USER_ABORT)
        detail = m_window.JobAbortSignalLine();
    if (detail.isEmpty())
        detail = m_window.FailureCause();
    if (detail.isEmpty())
        detail =
            runexit::DefaultCause(runexit::ForBurnResult(outcome.failedResult, runexit::RecorderOpened::Yes),
                                  [this](int id) { return m_window.GetText(id); });
    Failed(runexit::NotEveryCopy,
           FormatText(m_window.GetText(textid::CopiesCause), {outcome.burned, outcome.copies, detail}));
    return outcome.failedResult != 0 ? outcome.failedResult : static_cast<int>(BURN_USER_ABORT);
}

void CommandLineWorker::Succeeded(const ParsedCommandLine &parsed)
{
    m_exitStatus = runexit::Success;
    if (parsed.shutdownWanted) {
        // Writes its own log file and closes the window.
        m_window.RunShutdown();
        return;
    }
    if (parsed.logWanted)
        m_window.WriteLogFile(static_cast<int>(LogFileKind::CommandLineRun));
    CloseWindow();
}

QString CommandLineWorker::ParseErrorCause(const ParsedCommandLine &parsed) const
{
    // Every error, each with the token it concerns, in token order.
    QStringList errors;
    for (const cmdline::Step &step : parsed.steps) {
        if (step.kind == StepKind::Error) {
            QString text = m_window.GetText(step.textId).trimmed();
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
            errors << text + QStringLiteral(" (\"") + step.value + QStringLiteral("\")");
        }
    }
    return errors.join(QStringLiteral("; "));
}

QString CommandLineWorker::FailureCause() const
{
    const std::lock_guard lock(m_causeMutex);
    return m_cause;
}

void CommandLineWorker::Failed(runexit::Status status, const QString &cause)
{
    {
        const std::lock_guard lock(m_causeMutex);
        m_cause = cause;
    }
    m_exitStatus = status;
    // A run that gives up before the burn locked nothing for good.
    if (m_window.IsBusy())
        m_window.RestoreIdleUi();
    if (m_presence == Presence::Unattended)
        CloseWindow();
}

void CommandLineWorker::CloseWindow()
{
    RunOnGuiThread([this] { m_window.OnCancel(); }, Blocking::Wait);
}
