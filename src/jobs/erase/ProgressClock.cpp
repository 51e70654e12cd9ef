#include "jobs/erase/ProgressClock.h"

#include "version/ProductVersion.h"

namespace jobs {

ProgressClock::Display ProgressClock::Report(int percent, int64_t now)
{
    Display display;
    if (percent == 0) {
        m_lastPercent = m_startPercent = 0;
        m_startTime = 0;
        m_remainingText = m_totalText = QStringLiteral("?:??");
        display.changed = true;
    } else if (m_lastPercent == 0) {
        m_lastPercent = m_startPercent = percent;
        m_startTime = now;
        display.changed = true;
    } else if (percent != m_startPercent && percent != m_lastPercent) {
        m_lastPercent = percent;
        const int64_t elapsed = now - m_startTime;
        const int64_t done = percent - m_startPercent;
        // A percent below the start of the run (a new phase before the library
        // reports 0) gives no usable estimate: keep the last one.
        if (done > 0 && elapsed >= 0) {
            m_totalSecs = elapsed * 100 / done;
            m_remainingText = FormatMinutesSeconds((100 - percent) * elapsed / done);
            m_totalText = FormatMinutesSeconds(m_totalSecs);
        }
        display.changed = true;
    }
    display.percentText = QStringLiteral("%1 %").arg(percent);
    display.remainingText = m_remainingText;
    display.totalText = m_totalText;
    return display;
}

QString FormatMinutesSeconds(int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString ProgressTitle(const QString &percentText)
{
    return QStringLiteral("%1 %2 %3")
        .arg(percentText, QStringLiteral(ORVANE_PRODUCT_NAME), QStringLiteral(ORVANE_PRODUCT_VERSION));
}

HoursMinutesSeconds SplitDuration(int64_t seconds)
{
    return {seconds / 3600, (seconds % 3600) / 60, (seconds % 3600) % 60};
}

} // namespace jobs
