#include "app/CBurnApp.h"

#include "app/CBurnDlg.h"
#include "cmdline/CommandLineTokenizer.h"

#include <QApplication>
#include <QStringList>

int CBurnApp::Run(int argc, char **argv)
{
    QApplication app(argc, argv);
    CBurnDlg dlg;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    dlg.m_strCmdLine = cmdline::JoinArguments(arguments);
    // The program file's full path; start-up keeps its folder.
    dlg.m_strAppDir = QCoreApplication::applicationFilePath();
    const int result = dlg.DoModal();
    return result == CBurnDlg::ResultFailed ? 1 : 0;
}
