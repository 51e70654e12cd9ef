#include "jobs/setup/RecorderChoice.h"
#include "TestEnvironment.h"
#include "jobs/setup/SpeedText.h"

#include <gtest/gtest.h>

using namespace jobs;

namespace {

DeviceInfo device(int type, int capabilities, uint32_t mediaSet)
{
    DeviceInfo info{};
    info.deviceType = type;
    info.capabilities = capabilities;
    info.mediaSet = mediaSet;
    return info;
}

} // namespace

TEST(IsListedRecorder, NeedsAWriterThatHandlesTheRequestedMedia)
{
    EXPECT_TRUE(IsListedRecorder(device(1, 1, MEDIA_DVD_PLUS), MEDIA_SET_DVD));
    EXPECT_TRUE(IsListedRecorder(device(1, 1, MEDIA_DVD_MINUS), MEDIA_SET_DVD));
    EXPECT_FALSE(IsListedRecorder(device(1, 1, MEDIA_DVD_PLUS | MEDIA_DVD_MINUS), MEDIA_SET_CD));
    EXPECT_TRUE(IsListedRecorder(device(1, 3, MEDIA_CD | MEDIA_DVD_PLUS), MEDIA_SET_CD));
    EXPECT_FALSE(IsListedRecorder(device(2, 1, 0xFF), MEDIA_SET_DVD));
    EXPECT_FALSE(IsListedRecorder(device(1, 2, 0xFF), MEDIA_SET_DVD));
}

TEST(PreselectRecorder, PrefixWithoutCaseFirstMatchWins)
{
    const QStringList names{"Virtual DVD Writer", "Virtual DVD-RW Writer", "Image Recorder"};
    EXPECT_EQ(PreselectRecorder(names, "virtual dvd"), 0);
    EXPECT_EQ(PreselectRecorder(names, "IMAGE"), 2);
    EXPECT_EQ(PreselectRecorder(names, "Nothing like it"), 0);
    EXPECT_EQ(PreselectRecorder(names, ""), 0);
    EXPECT_EQ(PreselectRecorder({}, "x"), -1);
}

TEST(PreselectSpeed, StoredIndexInsideTheListElseTheFastest)
{
    EXPECT_EQ(PreselectSpeed(-1, 3), 2);
    EXPECT_EQ(PreselectSpeed(3, 3), 2);
    EXPECT_EQ(PreselectSpeed(0, 3), 0);
    EXPECT_EQ(PreselectSpeed(2, 3), 2);
}

TEST(SpeedText, FactorOfTheOneXRate)
{
    EXPECT_EQ(SpeedListEntry(300, 150), "2.0x (300 kB/s)");
    EXPECT_EQ(SpeedListEntry(600, 150), "4.0x (600 kB/s)");
    EXPECT_EQ(SpeedListEntry(900, 150), "6.0x (900 kB/s)");
    EXPECT_EQ(SpeedListEntry(5540, 1385), "4.0x (5540 kB/s)");
    EXPECT_EQ(SpeedLogText(600, 150), "4.0x (600kB/s)");
}
