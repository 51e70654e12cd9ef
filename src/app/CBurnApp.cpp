#include "app/CBurnApp.h"

#include "app/CBurnDlg.h"
#include "app/DisplayFallback.h"
#include "app/WindowMessageBox.h"
#include "cmdline/CommandLineTokenizer.h"
#include "lang/BuiltinTexts.h"

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
    // The command line decides whether the run needs a person; decided
    // before Qt picks its platform.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString commandLine = cmdline::JoinArguments(arguments);
    const bool commandLineRun = commandLine.length() > 1;
    // Qt's platform plugin would abort the process for want of a display.
    if (LacksDisplayForWindow(commandLineRun, CurrentDisplayEnvironment())) {
        ReportNoDisplay();
        return runexit::NothingToBurn;
    }
    SelectOffscreenWithoutDisplay(commandLineRun);

    QApplication app(argc, argv);
    CBurnDlg dlg;
    arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    dlg.m_strCmdLine = cmdline::JoinArguments(arguments);
    // The program file's full path; start-up keeps its folder.
    dlg.m_strAppDir = QCoreApplication::applicationFilePath();
    dlg.CommandLine().SetPresence(HasDisplay() ? Presence::Attended : Presence::Unattended);
    const int result = dlg.DoModal();
    if (result == CBurnDlg::ResultFailed)
        return runexit::StartupFailed;
    return dlg.CommandLine().ExitStatus();
}
