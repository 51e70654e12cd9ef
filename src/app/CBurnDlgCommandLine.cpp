// The command line: its tokens and the run that works through them.
#include "app/CBurnDlg.h"

#include "cmdline/CommandLineTokenizer.h"

void CBurnDlg::SplitCommandLine()
{
    FreeCommandLineTokens();
    const QStringList tokens = cmdline::SplitCommandLine(m_strCmdLine);
    for (const QString &token : tokens) {
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
