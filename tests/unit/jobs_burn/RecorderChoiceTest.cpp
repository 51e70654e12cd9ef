#include "jobs/setup/RecorderChoice.h"
#include "jobs/setup/SpeedText.h"

#include <gtest/gtest.h>

using namespace jobs;

TEST(RecorderChoice, ListsWritersOfTheMediaAndPreselectsTheStoredOnes)
{
    const struct
    {
        int type, capabilities;
        uint32_t media, wanted;
        bool listed;
    } cases[] = {
        {1, 1, MEDIA_DVD_PLUS, MEDIA_SET_DVD, true},
        {1, 1, MEDIA_DVD_MINUS, MEDIA_SET_DVD, true},
        {1, 1, MEDIA_DVD_PLUS | MEDIA_DVD_MINUS, MEDIA_SET_CD, false},
        {1, 3, MEDIA_CD | MEDIA_DVD_PLUS, MEDIA_SET_CD, true},
        {2, 1, 0xFF, MEDIA_SET_DVD, false}, // not a recorder
        {1, 2, 0xFF, MEDIA_SET_DVD, false}, // cannot write
    };
    for (const auto &c : cases) {
        DeviceInfo info{};
        info.deviceType = c.type;
        info.capabilities = c.capabilities;
        info.mediaSet = c.media;
        EXPECT_EQ(IsListedRecorder(info, c.wanted), c.listed)
            << c.type << "/" << c.capabilities << "/" << c.media;
    }

    const QStringList names{"Virtual DVD Writer", "Virtual DVD-RW Writer", "Image Recorder"};
    EXPECT_EQ(PreselectRecorder(names, "virtual dvd"), 0);
    EXPECT_EQ(PreselectRecorder(names, "IMAGE"), 2);
    EXPECT_EQ(PreselectRecorder(names, "Nothing like it"), 0);
    EXPECT_EQ(PreselectRecorder({}, "x"), -1);
    EXPECT_EQ(PreselectSpeed(-1, 3), 2);
    EXPECT_EQ(PreselectSpeed(3, 3), 2);
    EXPECT_EQ(PreselectSpeed(0, 3), 0);

    EXPECT_EQ(SpeedListEntry(900, 150), "6.0x (900 kB/s)");
    EXPECT_EQ(SpeedListEntry(5540, 1385), "4.0x (5540 kB/s)");
    EXPECT_EQ(SpeedLogText(600, 150), "4.0x (600kB/s)");
}
