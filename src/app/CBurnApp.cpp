#include "app/CBurnApp.h"

#include "app/CBurnDlg.h"
#include "app/DisplayFallback.h"
#include "platform/WindowMessageBox.h"
#include "cmdline/CommandLineTokenizer.h"

#include <QApplication>
#include <QStringList>

int CBurnApp::Run(int argc, char **argv)
{
    // The command line decides whether the run needs a person; decided
    // before Qt picks its platform.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString commandLine = cmdline::JoinArguments(arguments);
    SelectOffscreenWithoutDisplay(commandLine.length() > 1);

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
