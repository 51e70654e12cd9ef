#pragma once

#include <QString>

#include <cstdint>

// The remaining and total time of a burn, estimated from the percent values
// the library reports. The estimate measures from the first non-zero percent
// of a run; a report of 0 starts a new run.
namespace jobs {

class ProgressClock
{
public:
    struct Display
    {
        bool changed = false;  // the labels (and the window title) are to be updated
        QString percentText;   // "45 %"
        QString remainingText; // "18:00" or "?:??"
        QString totalText;
    };

    // Takes the percent p reported at calendar time now (seconds). Answers
    // what the displays show afterwards; when changed is false they keep
    // what they show.
    Display Report(int percent, int64_t now);

    // The last estimate of the total duration in seconds; kept until the
    // next estimate replaces it.
    int64_t TotalSecs() const { return m_totalSecs; }
    // The last percent that changed the displays; 0 before a run starts.
    int LastPercent() const { return m_lastPercent; }

private:
    int64_t m_startTime = 0;
    int m_startPercent = 0;
    int m_lastPercent = 0;
    int64_t m_totalSecs = 0;
    QString m_remainingText = QStringLiteral("?:??");
    QString m_totalText = QStringLiteral("?:??");
};

// "%.2d:%.2d" of seconds / 60 and seconds mod 60 (minutes may exceed 99).
QString FormatMinutesSeconds(int64_t seconds);

// The window title while a burn runs: "45 % Orvane Burn 1.2.0" (the
// product name and version of version/ProductVersion.h).
QString ProgressTitle(const QString &percentText);

struct HoursMinutesSeconds
{
    int64_t hours, minutes, seconds;
};
// Splits a duration for the total-time line after a successful burn.
HoursMinutesSeconds SplitDuration(int64_t seconds);

} // namespace jobs
