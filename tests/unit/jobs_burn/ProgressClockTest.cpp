// The burn's clock beyond its first estimate, the erase clock's texts and
// the result sounds.
#include "jobs/erase/ProgressClock.h"
#include "jobs/erase/EraseClockText.h"
#include "jobs/sound/ResultSound.h"

#include <gtest/gtest.h>

#include <array>

using namespace jobs;

TEST(ProgressClock, ZeroRestartsTheRunAndKeepsTheLastTotal)
{
    ProgressClock clock;
    clock.Report(5, 0);
    clock.Report(10, 60);
    ProgressClock::Display d = clock.Report(0, 100);
    EXPECT_EQ(d.remainingText, "?:??");
    EXPECT_EQ(d.totalText, "?:??");
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
    EXPECT_FALSE(clock.Report(10, 160).changed) << "the same percent again changes nothing";
}

TEST(ProgressClock, DurationTexts)
{
    const HoursMinutesSeconds hms = SplitDuration(3 * 3600 + 25 * 60 + 7);
    EXPECT_EQ((std::array<int64_t, 3>{hms.hours, hms.minutes, hms.seconds}),
              (std::array<int64_t, 3>{3, 25, 7}));
    EXPECT_EQ(FormatMinutesSeconds(6000), "100:00");
    EXPECT_EQ(EraseClockTime(3600), "60:00");
    EXPECT_EQ(EraseClockPercent(40, 125), "32.0 %");
    EXPECT_EQ(EraseClockPercent(125, 125), "100.0 %");
}

TEST(ResultSoundFile, WavInAnyCaseOnlyWhenEnabled)
{
    SoundSettings sound{true, "/snd/Done.WAV", "/snd/failed.wav"};
    EXPECT_EQ(ResultSoundFile(0, sound), QString("/snd/Done.WAV"));
    EXPECT_EQ(ResultSoundFile(3, sound), QString("/snd/failed.wav"));
    for (const char *notWave : {"/snd/done.mp3", "/snd.d/done"}) {
        sound.successWave = notWave;
        EXPECT_FALSE(ResultSoundFile(0, sound)) << notWave;
    }
    EXPECT_EQ(ResultSoundFile(6, sound), QString("/snd/failed.wav"));
    sound.enabled = false;
    EXPECT_FALSE(ResultSoundFile(3, sound));
}
