#pragma once

#include <QString>
#include <QStringList>

namespace cmdline {

// The run reads at most this many arguments; later ones are ignored.
constexpr int MaxTokens = 99;

// The program's arguments as the shell split them, without the program name
// (argv[0]): each decoded from the locale's encoding and otherwise kept
// exactly, quotes and blanks included. These are the run's tokens; nothing
// joins and splits them again.
QStringList ArgumentsFromArgv(int argc, const char *const *argv);

} // namespace cmdline
