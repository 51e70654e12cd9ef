#include "log/LogTimeText.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct TimeCase
{
    QDateTime time;
    const char *text;
};

TEST(LogTimeText, FixedWidthEnglishWithLeadingZeros)
{
    const TimeCase cases[] = {
        {QDateTime(QDate(2026, 12, 5), QTime(23, 44, 7)), "Sat Dec 05 23:44:07 2026\n"},
        {QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0)), "Thu Feb 29 00:00:00 2024\n"},
        {QDateTime(QDate(2025, 6, 1), QTime(9, 5, 59)), "Sun Jun 01 09:05:59 2025\n"},
        {QDateTime(QDate(2023, 1, 30), QTime(12, 30, 1)), "Mon Jan 30 12:30:01 2023\n"},
    };
    for (const TimeCase &c : cases) {
        const QString text = LogTimeText(c.time);
        EXPECT_EQ(text, QLatin1String(c.text));
        EXPECT_EQ(text.size(), 25);
    }
}

TEST(LogTimeText, IgnoresTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = LogTimeText(QDateTime(QDate(2026, 3, 3), QTime(1, 2, 3)));
    QLocale::setDefault(before);
    EXPECT_EQ(text, QStringLiteral("Tue Mar 03 01:02:03 2026\n"));
}

} // namespace
