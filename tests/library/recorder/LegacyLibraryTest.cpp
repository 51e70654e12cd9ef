// Serving libraries of older generations: legacy drive lists converted to
// the current layout, and tracks wrapped for libraries older than 5.5.9.16.
#include "FakeLibraryTest.h"

#include "recorder/LegacyDevices.h"
#include "recorder/LibraryAdapters.h"
#include "recorder/RecordingLibrary.h"

#include <vector>

namespace {

class LegacyLibraryTest : public FakeLibraryTest
{
protected:
    static void SetLegacyListCount(int32_t count)
    {
        g_hRecLib.Symbol<void (*)(int32_t)>("FakeSetLegacyListCount")(count);
    }
    static void SetLegacySpeedCount(int32_t count)
    {
        g_hRecLib.Symbol<void (*)(int32_t)>("FakeSetLegacySpeedCount")(count);
    }
    // The address the stand-in logged for the track it made.
    static std::string CreatedTrack()
    {
        const std::string line = LoggedLine("NeroCreateIsoTrackEx");
        return line.substr(line.rfind(' ') + 1);
    }
};

std::vector<int32_t> Values(const int32_t *values, int32_t count)
{
    return {values, values + count};
}

TEST_F(LegacyLibraryTest, LegacyListIsConvertedWithCdRates)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    DeviceInfoList *list = NeroGetAvailableDrives();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 1);
    const DeviceInfo &device = list->devices[0];
    EXPECT_STREQ(device.name, "Old Recorder");
    EXPECT_STREQ(device.shortText, "OLDTEXT");
    EXPECT_EQ(device.value72, 1);
    EXPECT_EQ(device.value76, 2);
    EXPECT_EQ(device.deviceType, DEVICE_TYPE_WRITER);
    EXPECT_EQ(device.letter, 'E');
    EXPECT_EQ(device.capabilities, static_cast<int32_t>(DEVICE_CAP_WRITE));
    EXPECT_EQ(device.readSpeeds.count, 8);
    EXPECT_EQ(device.readSpeeds.rate1x, 150);
    EXPECT_EQ(Values(device.readSpeeds.kBs, 8),
              (std::vector<int32_t>{150, 300, 600, 1200, 1800, 2400, 3000, 3600}));
    EXPECT_EQ(Values(device.readSpeeds.multiples, 8), (std::vector<int32_t>{1, 2, 4, 8, 12, 16, 20, 24}));
    EXPECT_EQ(Values(device.writeSpeeds.kBs, device.writeSpeeds.count),
              (std::vector<int32_t>{600, 1200, 2400}));
    EXPECT_NE(device.libPointer, nullptr);
    EXPECT_STREQ(device.libText, "legacy library text");
    EXPECT_EQ(device.value1456, 7);
    EXPECT_EQ(device.mediaSet, 0u);
    // The converted list comes from the library's allocator; the library's
    // own list has been handed back to it.
    EXPECT_TRUE(Logged("NeroFreeMem ")) << CallLog();
    NeroFreeMem(list);
}

TEST_F(LegacyLibraryTest, ImplausibleLegacyCountsAreRefused)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    for (const int32_t count : {-5, kMaxLegacyDevices + 1, 1000000, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(count);
        SetLegacyListCount(count);
        EXPECT_EQ(NeroGetAvailableDrives(), nullptr);
    }
    SetLegacyListCount(0);
    DeviceInfoList *empty = NeroGetAvailableDrives();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->count, 0);
    NeroFreeMem(empty);
}

TEST_F(LegacyLibraryTest, SpeedCountsAreReadNoFurtherThanTheRecord)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    for (const int32_t speeds : {21, 100000, -2}) {
        SCOPED_TRACE(speeds);
        SetLegacySpeedCount(speeds);
        DeviceInfoList *list = NeroGetAvailableDrives();
        ASSERT_NE(list, nullptr);
        const int32_t expected = speeds < 0 ? 0 : LEGACY_SPEED_MAX;
        EXPECT_EQ(list->devices[0].readSpeeds.count, expected);
        EXPECT_EQ(list->devices[0].writeSpeeds.count, expected);
        NeroFreeMem(list);
    }
}

TEST_F(LegacyLibraryTest, ConversionOfNullGivesNull)
{
    ASSERT_EQ(LoadFake("current"), 1);
    EXPECT_EQ(ConvertLegacyDriveList(nullptr), nullptr);
}

TEST_F(LegacyLibraryTest, LegacyTrackLivesBehindAdaptersFromCreationToRelease)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    IsoItem root{};
    const uint32_t flags = ISO_TRACK_UDF | ISO_TRACK_ISO9660;
    IsoTrack *track = NeroCreateIsoTrackEx(&root, "MOVIE", flags);
    ASSERT_NE(track, nullptr);
    const std::string libraryTrack = CreatedTrack();
    EXPECT_NE(Pointer(track), libraryTrack);
    // The program speaks the current interface to it.
    EXPECT_EQ(track->vtbl->fsFlags(track), flags);
    EXPECT_STREQ(track->vtbl->volumeLabel(track), "MOVIE");
    EXPECT_EQ(track->vtbl->reserved28(track), 0);

    // The library sees the legacy interface for the burn, and the record
    // gets the program's track back afterwards.
    WriteRecord record{};
    record.track = track;
    EXPECT_EQ(NeroBurn(nullptr, 0, &record, BURN_FLAG_WRITE, 1385, nullptr), BURN_OK);
    EXPECT_EQ(record.track, track);
    const std::string burn = LoggedLine("NeroBurn");
    EXPECT_EQ(burn.find("track=" + Pointer(track)), std::string::npos) << burn;
    EXPECT_NE(burn.find("block=2048 size=4321 open=0 read=1 r5=0 r7=0 r9=0,0 r12=0 "
                        "error=fake last error fs=24 label=MOVIE realloc=23 "
                        "warning=fake placement warning files=25 mode2=26 layout=fake layout error"),
              std::string::npos)
        << burn;
    EXPECT_FALSE(Logged("track destroyed"));

    // Releasing hands the library an owning legacy view; destroying it
    // unwinds to the library's own track.
    NeroFreeIsoTrack(track);
    EXPECT_EQ(LoggedLine("NeroFreeIsoTrack").find(Pointer(track)), std::string::npos);
    EXPECT_TRUE(Logged("track destroyed " + libraryTrack + " delete=1")) << CallLog();
}

TEST_F(LegacyLibraryTest, NullTrackFromALegacyLibraryStaysNull)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    EXPECT_EQ(NeroCreateIsoTrackEx(nullptr, "MOVIE", ISO_TRACK_UDF), nullptr);
    EXPECT_TRUE(Logged("NeroCreateIsoTrackEx refused"));
    NeroFreeIsoTrack(nullptr);
    EXPECT_TRUE(Logged("NeroFreeIsoTrack (nil)"));
}

TEST_F(LegacyLibraryTest, TracksAreWrappedExactlyBelow5_5_9_16)
{
    ASSERT_EQ(LoadFake("current"), 1);
    struct Case
    {
        LibraryVersion version;
        bool wrapped;
    };
    const Case cases[] = {
        {{5, 5, 9, 16}, false}, {{6, 0, 0, 0}, false}, {{5, 5, 9, 15}, true},
        {{5, 5, 8, 99}, true},  {{4, 9, 9, 99}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.version.major << '.' << c.version.minor << '.' << c.version.third
                                        << '.' << c.version.fourth);
        SetFakeVersion(6000, c.version);
        ClearCallLog();
        IsoItem root{};
        IsoTrack *track = NeroCreateIsoTrackEx(&root, "LABEL", ISO_TRACK_UDF);
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(Pointer(track) != CreatedTrack(), c.wrapped);
        WriteRecord record{};
        record.track = track;
        NeroBurn(nullptr, 0, &record, 0, 0, nullptr);
        EXPECT_EQ(LoggedLine("NeroBurn").find("track=" + Pointer(track)) == std::string::npos, c.wrapped);
        NeroFreeIsoTrack(track);
        EXPECT_EQ(LoggedLine("NeroFreeIsoTrack") == "NeroFreeIsoTrack " + Pointer(track), !c.wrapped);
        EXPECT_TRUE(Logged("track destroyed " + CreatedTrack() + " delete=1"));
    }
}

TEST_F(LegacyLibraryTest, BurnWithoutTrackPassesTheRecordUntouched)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    WriteRecord record{};
    EXPECT_EQ(NeroBurn(nullptr, 0, &record, 0, 0, nullptr), BURN_OK);
    EXPECT_TRUE(Logged("track=(nil) (none)")) << CallLog();
}

} // namespace
