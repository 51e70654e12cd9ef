#include "cmdline/CommandLineWorker.h"

#include "TextIds.h"
#include "cmdline/CommandLineOptions.h"
#include "cmdline/RunReason.h"
#include "jobs/RecordingJobs.h"
#include "jobs/burn/BurnReport.h"
#include "jobs/burn/BurnRun.h"
#include "jobs/copies/CopiesCommand.h"
#include "jobs/desktop/DesktopHooks.h"
#include "jobs/ports/IBusyPort.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/ports/IRecorderListPort.h"
#include "jobs/ports/SourceFieldPorts.h"
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

CommandLineWorker::CommandLineWorker(const RunPorts &ports, RecordingJobs &jobs)
    : m_ports(ports), m_jobs(jobs)
{
}

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
        m_jobs.State().m_bAbort = true;
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
        } else if (!parsed.sourceGiven() || parsed.prepareOnly) {
            // The window waits for a person; without one nothing will happen.
            if (m_presence == Presence::Unattended) {
                const int cause = parsed.prepareOnly ? textid::CausePrepareOnly : textid::CauseNoFolder;
                Failed(runexit::NothingToBurn, m_ports.report.GetText(cause));
            }
        } else if (!stop.stop_requested() && !m_ports.window.HasEnded()) {
            // A window closed meanwhile has let the recording library go.
            result = Burn(parsed);
        }
        m_ports.busy.UpdateData(Exchange::ToControls);
    }
    m_done.Set(result);
}

void CommandLineWorker::ApplyOptions(const ParsedCommandLine &parsed)
{
    ApplySteps(parsed);
    m_ports.busy.UpdateData(Exchange::ToControls);
    if (!parsed.parseError && parsed.sourceGiven()) {
        if (!parsed.labelGiven && parsed.folderGiven)
            TakeLabelFromFolder();
        if (parsed.prepareOnly && parsed.imageGiven)
            m_ports.window.ShowImageChoice();
        if (parsed.prepareOnly)
            m_ports.window.OfferBurn();
    }
    // The Shutdown box's handler announces the log file it will write,
    // named after the label: it runs once the label is final, the one taken
    // from the folder included.
    if (parsed.shutdownWanted) {
        m_ports.busy.UpdateData(Exchange::ToControls);
        m_ports.window.OnShutdownCheck();
    }
}

void CommandLineWorker::TakeLabelFromFolder()
{
    const QString folder = m_jobs.State().m_strSourceDir;
    m_ports.sourceSteps.SetLabelFromFolder(folder);
    const QString label = m_jobs.State().m_strVolume;
    const QString name = CPathHelper().GetLastComponent(folder);
    m_ports.report.AppendLog(FormatText(m_ports.report.GetText(textid::LabelFromFolderName),
                                        {label, name.isEmpty() ? folder : name}));
    // "-d <film>/VIDEO_TS" is a common slip: the files still go into
    // VIDEO_TS on the disc, but the disc is named after the wrong folder.
    if (label.compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0)
        m_ports.report.AppendLog(FormatText(m_ports.report.GetText(textid::LabelVideoTsHint),
                                            {QFileInfo(QDir::cleanPath(folder)).path()}));
}

void CommandLineWorker::ApplySteps(const ParsedCommandLine &parsed)
{
    for (const cmdline::Step &step : parsed.steps) {
        switch (step.kind) {
        case StepKind::SourceFolder:
            m_ports.report.AppendLog(FormatText(m_ports.report.GetText(step.textId), {step.value}));
            m_jobs.State().m_strSourceDir = step.value;
            m_ports.sourceSteps.CheckSourceSize();
            break;
        case StepKind::ImageFile:
            m_ports.report.AppendLog(FormatText(m_ports.report.GetText(step.textId), {step.value}));
            m_jobs.State().m_strImageFile = step.value;
            break;
        case StepKind::VolumeLabel:
            m_ports.report.AppendLog(FormatText(m_ports.report.GetText(step.textId), {step.value}));
            m_jobs.State().m_strVolume = step.value;
            break;
        case StepKind::NoEject:
            m_ports.report.AppendLogText(step.textId);
            m_ports.window.SetOtherSwitch(OtherSwitch::NoEject);
            break;
        case StepKind::AnyLayerBreak:
            m_ports.report.AppendLogText(step.textId);
            m_jobs.State().m_bAnyLayerBreak = 1;
            break;
        case StepKind::OverwriteNoAsk:
            m_ports.report.AppendLogText(step.textId);
            m_ports.window.SetOtherSwitch(OtherSwitch::NoOverwriteAsk);
            break;
        case StepKind::Shutdown:
            m_ports.report.AppendLogText(step.textId);
            // The box's handler follows once the label is known.
            m_jobs.State().m_bShutdown = 1;
            break;
        case StepKind::WriteLog:
        case StepKind::Error:
            m_ports.report.AppendLogText(step.textId);
            break;
        case StepKind::Copies:
            m_ports.report.AppendLog(FormatText(m_ports.report.GetText(step.textId), {step.value}));
            break;
        case StepKind::KeepGoing:
            m_ports.report.AppendLogText(step.textId);
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
    m_ports.report.ShowMessageBox(m_ports.report.GetText(textId), QString::fromLatin1(ParseErrorCaption),
                                  mb::Ok | mb::IconStop);
}

int CommandLineWorker::Burn(const ParsedCommandLine &parsed)
{
    bool noRecorder = false;
    // Claimed as a job before the window is locked, so that nothing else
    // starts on the recorder (or closes the window) from here on.
    const RecordingJob::Prelude lockWindow = [this, &noRecorder] {
        m_ports.busy.EnableBusyUi(AbortButton::Disabled);
        m_ports.window.Minimize();
        if (m_ports.recorders.SelectedDevice() != nullptr)
            return 0;
        m_ports.report.AppendLogText(textid::NoRecorderSelected);
        noRecorder = true;
        return static_cast<int>(jobs::RunBurnNoRecorder);
    };
    if (parsed.copies > 1 && m_ports.recorders.SelectedDevice() != nullptr)
        return BurnCopies(parsed, lockWindow);
    // The job looks at the disc, asks about a used rewritable one (once),
    // and erases it only when the burn can follow; that burn's result is
    // the one that counts.
    // No reallocation question and no forced power-off for an unattended
    // run; it powers off after a burn that succeeded when -s asked for it.
    BurnPolicy policy;
    policy.shutdownWanted = [wanted = parsed.shutdownWanted] { return wanted; };
    const BurnOutcome outcome = m_jobs.Command().Run(lockWindow, policy);
    const int result = outcome.result;
    if (noRecorder) {
        Failed(runexit::RecorderUnavailable);
    } else if (result == 0) {
        Succeeded(parsed, outcome.shutDown);
    } else {
        const runexit::Status status =
            runexit::ForBurnResult(result, m_jobs.Burn().RecorderWasOpened() ? runexit::RecorderOpened::Yes
                                                                             : runexit::RecorderOpened::No);
        // An abort names the signal that asked for it.
        Failed(status, status == runexit::BurnAborted ? m_ports.window.JobAbortSignalLine() : QString());
    }
    return result;
}

int CommandLineWorker::BurnCopies(const ParsedCommandLine &parsed, const std::function<int()> &lockWindow)
{
    // No question, no forced power-off: the power-off follows the last copy
    // when every copy was burned and -s asked for it.
    BurnPolicy policy;
    policy.shutdownWanted = [wanted = parsed.shutdownWanted] { return wanted; };
    std::optional<jobs::CopiesHost::Unattended> unattended;
    if (m_presence == Presence::Unattended)
        unattended = jobs::CopiesHost::Unattended{parsed.keepGoing,
                                                  [this](const QString &line) { m_ports.end.Notice(line); }};
    const jobs::CopiesOutcome outcome = m_jobs.Copies().Run(parsed.copies, lockWindow, policy, unattended);
    IJobWindow &report = m_ports.report;
    if (outcome.refused) {
        Failed(runexit::ParseError, report.GetText(textid::CopiesToImageRecorder));
        return NoBurnResult;
    }
    if (outcome.AllBurned()) {
        Succeeded(parsed, outcome.shutDown);
        return 0;
    }
    QString detail = outcome.stoppedBecause;
    if (detail.isEmpty() && outcome.failedResult == BURN_USER_ABORT)
        detail = m_ports.window.JobAbortSignalLine();
    if (detail.isEmpty())
        detail = m_jobs.State().m_strLibraryErrors.simplified();
    if (detail.isEmpty())
        detail =
            runexit::DefaultCause(runexit::ForBurnResult(outcome.failedResult, runexit::RecorderOpened::Yes),
                                  [&report](int id) { return report.GetText(id); });
    Failed(runexit::NotEveryCopy,
           FormatText(report.GetText(textid::CopiesCause), {outcome.burned, outcome.copies, detail}));
    return outcome.failedResult != 0 ? outcome.failedResult : static_cast<int>(BURN_USER_ABORT);
}

void CommandLineWorker::Succeeded(const ParsedCommandLine &parsed, bool shutDown)
{
    m_exitStatus = runexit::Success;
    if (shutDown) {
        // Writes its own log file and closes the window.
        m_ports.end.RunShutdown();
        return;
    }
    if (parsed.logWanted)
        m_ports.end.WriteLogFile(static_cast<int>(LogFileKind::CommandLineRun));
    m_ports.window.Close();
}

QString CommandLineWorker::ParseErrorCause(const ParsedCommandLine &parsed) const
{
    // Every error, each with the token it concerns, in token order.
    QStringList errors;
    for (const cmdline::Step &step : parsed.steps) {
        if (step.kind == StepKind::Error) {
            QString text = m_ports.report.GetText(step.textId).trimmed();
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
    if (m_ports.busy.IsBusy())
        m_ports.busy.RestoreIdleUi();
    if (m_presence == Presence::Unattended)
        m_ports.window.Close();
}
