#pragma once

#include <QString>

// A line of the log as the pane, the terminal and the log file show it:
// every control character written out, so that no text in it (a file name
// holding a line break, a label with an escape sequence) can start a line of
// its own or drive a terminal. \n, \r and \t as in C, other C0 controls and
// DEL as \xHH, C1 controls and the Unicode line and paragraph separators as
// \uHHHH. Everything else, backslashes included, stays as it is.
QString LogLineText(const QString &text);
