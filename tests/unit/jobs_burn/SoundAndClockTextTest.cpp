#include "TestEnvironment.h"
#include "jobs/erase/EraseClockText.h"
#include "jobs/sound/ResultSound.h"

#include <gtest/gtest.h>

using namespace jobs;

TEST(ResultSoundFile, WavInAnyCaseOnlyWhenEnabled)
{
    SoundSettings sound{true, "/snd/Done.WAV", "/snd/failed.wav"};
    EXPECT_EQ(ResultSoundFile(0, sound), QString("/snd/Done.WAV"));
    EXPECT_EQ(ResultSoundFile(3, sound), QString("/snd/failed.wav"));

    sound.successWave = "/snd/done.mp3";
    EXPECT_FALSE(ResultSoundFile(0, sound));
    EXPECT_EQ(ResultSoundFile(6, sound), QString("/snd/failed.wav"));
    sound.successWave = "/snd.d/done";
    EXPECT_FALSE(ResultSoundFile(0, sound));

    sound.enabled = false;
    EXPECT_FALSE(ResultSoundFile(3, sound));
}

TEST(PlayButtonPlays, NeedsMoreThanFourCharacters)
{
    EXPECT_TRUE(PlayButtonPlays("a.wav"));
    EXPECT_FALSE(PlayButtonPlays(".wav"));
    EXPECT_FALSE(PlayButtonPlays(""));
}

TEST(EraseClockText, MinutesSecondsAndAZeroEstimate)
{
    EXPECT_EQ(EraseClockTime(125), "2:05");
    EXPECT_EQ(EraseClockTime(0), "0:00");
    EXPECT_EQ(EraseClockTime(3600), "60:00");
    EXPECT_EQ(EraseClockPercent(0, 0), "0.0 %");
    EXPECT_EQ(EraseClockPercent(40, 125), "32.0 %");
    EXPECT_EQ(EraseClockPercent(125, 125), "100.0 %");
}
