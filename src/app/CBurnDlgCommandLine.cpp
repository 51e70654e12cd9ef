// The command line: its tokens and the run that works through them.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "platform/TextFormat.h"

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
    // The limit stays, but an option after it must not go unread unseen.
    const qsizetype dropped = m_arguments.size() - m_nArgs;
    if (dropped > 0)
        AppendNotice(FormatText(GetText(textid::ArgumentsDropped), {MaxArgs, static_cast<int>(dropped)}));
}

void CBurnDlg::StartCommandLineRun()
{
    SplitCommandLine();
    QStringList tokens;
    for (int i = 0; i < m_nArgs; ++i)
        tokens << m_apszArgs[static_cast<std::size_t>(i)];
    m_commandLine.Start(tokens);
}
