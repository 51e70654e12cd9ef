#pragma once

#include <QDateTime>
#include <QString>

// The time text a log file carries: "Sat Dec 05 23:44:07 2026" and a line
// feed, 25 characters, with English day and month names whatever the
// locale, so that log files read the same everywhere.
QString LogTimeText(const QDateTime &localTime);
