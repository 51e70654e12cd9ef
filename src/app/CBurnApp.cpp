#include "app/CBurnApp.h"

#include "app/CBurnDlg.h"
#include "app/CheckCommand.h"
#include "app/DisplayFallback.h"
#include "platform/WindowMessageBox.h"
#include "cmdline/CommandLineTokenizer.h"
#include "lang/BuiltinTexts.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

enum : std::uint32_t {
    TextNoDisplayForWindow = 920,
};

// Said before the settings (and so the language choice) are read: the text
// comes from the built-in English file.
void ReportNoDisplay()
{
    const QString reason = builtin::Text(TextNoDisplayForWindow).value_or(QString());
    std::fputs((reason + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

} // namespace

int CBurnApp::Run(int argc, char **argv)
{
    // Before any thread exists, so that every thread inherits it.
    IgnoreFileSizeSignal();

    // The command line decides whether the run needs a person; decided
    // before Qt picks its platform.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --check needs neither a window nor a recorder.
    if (const std::optional<int> status = RunCheckCommand(arguments))
        return *status;
    const QString commandLine = cmdline::JoinArguments(arguments);
    const bool commandLineRun = commandLine.length() > 1;
    // Qt's platform plugin would abort the process for want of a display.
    if (LacksDisplayForWindow(commandLineRun, CurrentDisplayEnvironment())) {
        ReportNoDisplay();
        return runexit::NothingToBurn;
    }
    SelectOffscreenWithoutDisplay(commandLineRun);

    QApplication app(argc, argv);
    // Outlives the window, so that a signal while the window goes (a job
    // being waited for) still ends nothing abruptly.
    TerminationSignals terminationSignals;
    CBurnDlg dlg;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &dlg,
                     &CBurnDlg::OnTerminationSignal);
    arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    dlg.m_strCmdLine = cmdline::JoinArguments(arguments);
    // The program file's full path; start-up keeps its folder.
    dlg.m_strAppDir = QCoreApplication::applicationFilePath();
    dlg.CommandLine().SetPresence(HasDisplay() ? Presence::Attended : Presence::Unattended);
    const int result = dlg.DoModal();
    // The run's status is final only once its thread has ended: a window
    // closed after a signal may not wait for it.
    dlg.CommandLine().Stop();
    if (result == CBurnDlg::ResultFailed)
        return runexit::StartupFailed;
    if (dlg.RunEndedBySignal() && dlg.CommandLine().ExitStatus() == runexit::Success)
        return runexit::BurnAborted;
    return dlg.CommandLine().ExitStatus();
}
