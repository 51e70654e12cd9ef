#include "log/LogTimeText.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(LogTimeText, FixedWidthEnglishWithLeadingZerosWhateverTheLocale)
{
    EXPECT_EQ(LogTimeText(QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0))), "Thu Feb 29 00:00:00 2024\n");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = LogTimeText(QDateTime(QDate(2025, 6, 1), QTime(9, 5, 59)));
    QLocale::setDefault(before);
    EXPECT_EQ(text, QStringLiteral("Sun Jun 01 09:05:59 2025\n"));
}
