#pragma once

#include <QString>
#include <QStringList>

// Splitting the program's command line into tokens, the way the unattended
// run reads it: blanks separate tokens, double quotes group blanks into one
// token, and at most MaxTokens tokens are kept.
namespace cmdline {

constexpr int MaxTokens = 99;

// Splits a command line. Tabs count as blanks and each pair of blanks is
// folded into one before the scan (also inside quotes). A quoted part that
// holds only blanks, or that is never closed, gives no token; characters of
// an unquoted token directly before an opening quote are dropped. Tokens
// after the 99th are dropped silently.
QStringList SplitCommandLine(const QString &commandLine);

// The program's arguments as the shell split them, without the program name
// (argv[0]): each decoded from the locale's encoding and otherwise kept
// exactly, quotes and blanks included. These are the run's tokens; nothing
// joins and splits them again.
QStringList ArgumentsFromArgv(int argc, const char *const *argv);

} // namespace cmdline
