#include "jobs/erase/ProgressClock.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace jobs;

TEST(ProgressClock, EstimatesFromTheFirstNonZeroPercent)
{
    ProgressClock clock;
    ProgressClock::Display d = clock.Report(0, 1000);
    EXPECT_TRUE(d.changed);
    EXPECT_EQ(d.percentText, "0 %");
    EXPECT_EQ(d.remainingText, "?:??");

    d = clock.Report(5, 1010);
    EXPECT_TRUE(d.changed);
    EXPECT_EQ(d.percentText, "5 %");
    EXPECT_EQ(d.totalText, "?:??");

    // The same percent again changes nothing.
    EXPECT_FALSE(clock.Report(5, 1040).changed);

    d = clock.Report(10, 1070);
    EXPECT_TRUE(d.changed);
    EXPECT_EQ(d.remainingText, "18:00");
    EXPECT_EQ(d.totalText, "20:00");
    EXPECT_EQ(clock.TotalSecs(), 1200);
}

TEST(ProgressClock, ZeroRestartsTheRunAndKeepsTheLastTotal)
{
    ProgressClock clock;
    clock.Report(5, 0);
    clock.Report(10, 60);
    ProgressClock::Display d = clock.Report(0, 100);
    EXPECT_EQ(d.remainingText, "?:??");
    EXPECT_EQ(d.totalText, "?:??");
    EXPECT_EQ(d.percentText, "0 %");
    EXPECT_EQ(clock.TotalSecs(), 1200);

    clock.Report(20, 200);
    d = clock.Report(40, 260);
    EXPECT_EQ(d.totalText, "05:00");
    EXPECT_EQ(d.remainingText, "03:00");
}

TEST(ProgressClock, APercentBelowTheStartKeepsTheLastEstimate)
{
    ProgressClock clock;
    clock.Report(50, 0);
    clock.Report(60, 100);
    const ProgressClock::Display d = clock.Report(10, 150);
    EXPECT_TRUE(d.changed);
    EXPECT_EQ(d.percentText, "10 %");
    EXPECT_EQ(d.totalText, "16:40");
    EXPECT_EQ(clock.TotalSecs(), 1000);
}

TEST(ProgressClock, TitleAndDurationSplit)
{
    EXPECT_EQ(ProgressTitle("45 %"), "45 % Orvane Burn 1.2.0");
    const HoursMinutesSeconds hms = SplitDuration(3 * 3600 + 25 * 60 + 7);
    EXPECT_EQ(hms.hours, 3);
    EXPECT_EQ(hms.minutes, 25);
    EXPECT_EQ(hms.seconds, 7);
    EXPECT_EQ(FormatMinutesSeconds(6000), "100:00");
}
