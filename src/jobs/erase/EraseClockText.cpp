#include "jobs/erase/EraseClockText.h"

namespace jobs {

QString EraseClockTime(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString EraseClockPercent(int step, int totalSeconds)
{
    const double percent = totalSeconds > 0 ? step * (100.0 / totalSeconds) : 0.0;
    return QString::number(percent, 'f', 1) + QStringLiteral(" %");
}

} // namespace jobs
