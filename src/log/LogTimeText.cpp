#include "log/LogTimeText.h"

#include <array>

namespace {

constexpr std::array<const char *, 7> kWeekdays{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<const char *, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString LogTimeText(const QDateTime &localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    // QDate counts weekdays 1 (Monday) to 7 and months 1 to 12.
    return QStringLiteral("%1 %2 %3 %4:%5:%6 %7\n")
        .arg(QLatin1String(kWeekdays[static_cast<std::size_t>(date.dayOfWeek() - 1)]),
             QLatin1String(kMonths[static_cast<std::size_t>(date.month() - 1)]), TwoDigits(date.day()),
             TwoDigits(time.hour()), TwoDigits(time.minute()), TwoDigits(time.second()))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}
