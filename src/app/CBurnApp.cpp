#include "app/CBurnApp.h"

#include "TextIds.h"
#include "app/CBurnDlg.h"
#include "app/CheckCommand.h"
#include "app/DisplayFallback.h"
#include "app/OffscreenMessages.h"
#include "cmdline/CommandLineOptions.h"
#include "cmdline/CommandLineTokenizer.h"
#include "cmdline/EarlyOptions.h"
#include "cmdline/RunReason.h"
#include "lang/BuiltinTexts.h"
#include "log/TerminalEcho.h"
#include "platform/MachineRegistryStore.h"
#include "platform/ProgramFolder.h"
#include "platform/TerminationSignals.h"
#include "platform/TextFormat.h"
#include "platform/WindowMessageBox.h"

#include <QApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

void PrintLine(std::FILE *file, const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), file);
}

// Answers --help and --version before anything else happens; the status
// to end with, or nothing to go on with the start.
std::optional<int> RunEarlyOption(const QStringList &arguments)
{
    switch (cmdline::FindEarlyOption(arguments)) {
    case cmdline::EarlyOption::Help:
        std::fputs(cmdline::UsageText().toUtf8().constData(), stdout);
        return StandardOutputWritten() ? runexit::Success : runexit::StartupFailed;
    case cmdline::EarlyOption::Version:
        PrintLine(stdout, cmdline::VersionText());
        return StandardOutputWritten() ? runexit::Success : runexit::StartupFailed;
    case cmdline::EarlyOption::None:
        break;
    }
    return std::nullopt;
}

// -q and --json among the tokens the run will read.
cmdline::ParsedCommandLine ReadFlags(const QStringList &arguments)
{
    return cmdline::ParseCommandLine(arguments.mid(0, cmdline::MaxTokens));
}

runexit::Status FinalStatus(CBurnDlg &dlg, int windowResult)
{
    if (windowResult == CBurnDlg::ResultFailed)
        return runexit::StartupFailed;
    if (dlg.RunEndedBySignal() && dlg.CommandLine().ExitStatus() == runexit::Success)
        return runexit::BurnAborted;
    return dlg.CommandLine().ExitStatus();
}

// The most specific cause the program knows, in this order: the signal that
// stopped an aborted run, the run's own finding (the bad token, nothing to
// burn), the last error box and the library's error log, the status's own
// cause, the last line of the log.
QString FinalCause(CBurnDlg &dlg, runexit::Status status)
{
    const QString logLine = dlg.GetLogText().section(QLatin1Char('\n'), -1);
    const auto text = [&dlg](int id) { return dlg.GetText(id); };
    const QString signal = status == runexit::BurnAborted ? dlg.SignalCause() : QString();
    const QString causes[] = {signal, dlg.CommandLine().FailureCause(), dlg.FailureCause(),
                              runexit::DefaultCause(status, text), logLine};
    for (const QString &cause : causes) {
        if (!cause.simplified().isEmpty())
            return cause;
    }
    return QString();
}

// Said before the settings (and so the language choice) are read: the text
// comes from the built-in English file. Names the display that was given
// but does not answer.
void ReportNoDisplay(const QByteArray &unreachable)
{
    const auto text = [](int id) {
        return builtin::Text(static_cast<std::uint32_t>(id)).value_or(QString());
    };
    const QString cause = unreachable.isEmpty() ? text(textid::NoDisplayForWindow)
                                                : FormatText(text(textid::DisplayUnreachable),
                                                             {QString::fromLocal8Bit(unreachable)});
    PrintLine(stderr, runexit::ReasonLine(runexit::NothingToBurn, cause, text));
}

} // namespace

int CBurnApp::Run(int argc, char **argv)
{
    // Before any thread exists, so that every thread inherits it.
    IgnoreFileSizeSignal();
    // The log goes to standard output: a reader that goes away (a pipe into
    // "head") must cost the run its terminal echo, not the burn.
    std::signal(SIGPIPE, SIG_IGN);

    const QStringList arguments = cmdline::ArgumentsFromArgv(argc, argv);
    // --check needs neither a window nor a recorder.
    if (const std::optional<int> status = RunCheckCommand(arguments))
        return *status;
    if (const std::optional<int> status = RunEarlyOption(arguments))
        return *status;
    const bool commandLineRun = !arguments.isEmpty();
    // The command line decides whether the run needs a person; decided
    // before Qt picks its platform, whose plugin would abort the process
    // for want of a display.
    const DisplayEnvironment display = CurrentDisplayEnvironment();
    if (LacksDisplayForWindow(commandLineRun, display)) {
        ReportNoDisplay(UnreachableDisplayName(display));
        return runexit::NothingToBurn;
    }
    ChoosePlatform(commandLineRun, display);

    // Qt sees the program name only: it would take its own options
    // (-platform, -style, ...) out of the arguments, and every argument
    // belongs to the run as the shell gave it.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QuietOffscreenPluginWarnings();
    // Outlives the window, so that a signal while the window goes (a job
    // being waited for) still ends nothing abruptly.
    TerminationSignals terminationSignals;
    // Outlives the window and its jobs, which read and write it.
    MachineRegistryStore registry(ProgramFolder());
    CBurnDlg dlg(registry);
    QObject::connect(&terminationSignals, &TerminationSignals::received, &dlg,
                     &CBurnDlg::OnTerminationSignal);
    dlg.m_arguments = arguments;
    // The program file's full path; start-up keeps its folder.
    dlg.m_strAppDir = QCoreApplication::applicationFilePath();
    dlg.CommandLine().SetPresence(HasDisplay() ? Presence::Attended : Presence::Unattended);
    const cmdline::ParsedCommandLine flags = ReadFlags(arguments);
    const bool quiet = commandLineRun && flags.quiet;
    // JSON lines need a run that is not quiet: -q with --json is refused.
    const bool json = commandLineRun && flags.json && !quiet;
    SetMessageBoxEcho(!quiet);
    // The final reason is written even when -q silences everything else.
    const auto terminal =
        std::make_shared<TerminalEcho>(stdout, stderr, TerminalEcho::StyleFor(stderr),
                                       json ? TerminalEcho::Format::Json : TerminalEcho::Format::Plain);
    if (commandLineRun && !quiet)
        dlg.SetTerminalEcho(terminal);
    if (commandLineRun)
        dlg.SetNoticeEcho(terminal);
    const int result = dlg.DoModal();
    // The run's status is final only once its thread has ended: a window
    // closed after a signal may not wait for it.
    dlg.CommandLine().Stop();
    const runexit::Status status = FinalStatus(dlg, result);
    QString reason;
    if (status != runexit::Success) {
        const auto text = [&dlg](int id) { return dlg.GetText(id); };
        reason = runexit::ReasonLine(status, FinalCause(dlg, status), text);
        terminal->Final(reason);
    }
    terminal->End(status, reason);
    return status;
}
