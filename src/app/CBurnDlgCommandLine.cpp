// The command line: its tokens and the run that works through them.
#include "app/CBurnDlg.h"

void CBurnDlg::SplitCommandLine()
{
    // The shell has already split the command line: the arguments are the
    // tokens. Joining and splitting them again would let a value holding a
    // quote inject options, and would fold double blanks in folder names.
    FreeCommandLineTokens();
    for (const QString &token : m_arguments) {
        if (m_nArgs >= MaxArgs)
            break;
        m_apszArgs[static_cast<std::size_t>(m_nArgs++)] = token;
    }
}

void CBurnDlg::StartCommandLineRun()
{
    SplitCommandLine();
    QStringList tokens;
    for (int i = 0; i < m_nArgs; ++i)
        tokens << m_apszArgs[static_cast<std::size_t>(i)];
    m_commandLine.Start(tokens);
}
