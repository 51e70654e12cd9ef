// The adapters against stand-in libraries of each generation: what crosses
// the boundary, the version-dependent paths (legacy drive lists and tracks,
// skipped shutdown, renamed driver) and the fallbacks for missing exports.
#include "FakeLibraryTest.h"

#include "recorder/LegacyDevices.h"
#include "recorder/LibraryAdapters.h"

#include <vector>

namespace {

using LibraryAdaptersTest = FakeLibraryTest;

std::vector<int32_t> Values(const int32_t *values, int32_t count)
{
    return {values, values + count};
}

TEST_F(LibraryAdaptersTest, EachGenerationIsServedThroughTheExportsItHas)
{
    const struct
    {
        const char *name;
        const char *declaration; // all the library hears while it is loaded; null: not kept
        LibraryVersion version;
        bool listsDvdRecorders;
        const char *dvdMediaName; // "CD-R/RW": made by the adapter in the library's memory
    } generations[] = {
        {"current", "NeroSetExpectedAPIVersionEx 6.0.0.0 (nil)\n", {6, 0, 0, 0}, true, "DVD-R, DVD+R"},
        {"v5564", "NeroSetExpectedAPIVersion 6000\n", {5, 5, 6, 4}, true, "DVD-R, DVD+R"},
        {"sparse", "NeroSetExpectedAPIVersion 6000\n", {6, 0, 0, 0}, false, "CD-R/RW"},
        {"refusing", nullptr, {}, false, ""}, // refuses the declared version
        {"bare", nullptr, {}, false, ""},     // no library export at all
    };
    for (const auto &g : generations) {
        SCOPED_TRACE(g.name);
        ASSERT_EQ(LoadFake(g.name), g.declaration != nullptr ? 1 : 0);
        if (g.declaration == nullptr) {
            EXPECT_FALSE(g_hRecLib);
            continue;
        }
        EXPECT_EQ(CallLog(), g.declaration);
        EXPECT_EQ(QueryLibraryVersion(), g.version);
        DeviceInfoList *cd = NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr);
        ASSERT_NE(cd, nullptr);
        EXPECT_STREQ(cd->devices[0].name, "Fake Recorder");
        NeroFreeMem(cd);
        DeviceInfoList *dvd = NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr);
        EXPECT_EQ(dvd != nullptr, g.listsDvdRecorders);
        NeroFreeMem(dvd);
        ClearCallLog();
        char *name = NeroGetTypeNameOfMedia(MEDIA_SET_DVD, nullptr);
        ASSERT_NE(name, nullptr);
        EXPECT_STREQ(name, g.dvdMediaName);
        EXPECT_EQ(Logged("NeroCreateIsoItemOfSize 8\n"), std::string(name) == "CD-R/RW");
        NeroFreeMem(name);
        EXPECT_TRUE(Logged("NeroFreeMem " + Pointer(name)));
    }
}

// Opening a converted record hands the library a legacy one again: the stand-in
// tells whether it is the very record it listed.
TEST_F(LibraryAdaptersTest, BelowVersion5555DevicesAreConvertedWithCdRatesAndOpenedAsListed)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    const std::tuple<unsigned, const char *, const char *> cases[] = {
        {5554, "Old Recorder", "NeroOpenDevice legacy name=Old Recorder as listed=1"},
        {5555, "Fake Recorder", "NeroOpenDevice name=Fake Recorder"},
    };
    for (const auto &[version, firstName, openedAs] : cases) {
        SCOPED_TRACE(version);
        SetFakeVersion(version, {5, 5, 5, 5});
        ClearCallLog();
        DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr);
        ASSERT_NE(list, nullptr);
        const DeviceInfo &device = list->devices[0];
        EXPECT_STREQ(device.name, firstName);
        if (version < 5555) {
            EXPECT_EQ(list->count, 1);
            EXPECT_EQ(device.readSpeeds.rate1x, 150);
            EXPECT_EQ(Values(device.readSpeeds.kBs, device.readSpeeds.count),
                      (std::vector<int32_t>{150, 300, 600, 1200, 1800, 2400, 3000, 3600}));
            EXPECT_EQ(Values(device.writeSpeeds.kBs, device.writeSpeeds.count),
                      (std::vector<int32_t>{600, 1200, 2400}));
            EXPECT_EQ(device.mediaSet, 0u);
            // The caller gets a list from the library's allocator, so the
            // library's own has been handed back to it.
            EXPECT_TRUE(Logged("NeroFreeMem ")) << CallLog();
        }
        NeroOpenDevice(&device);
        EXPECT_TRUE(Logged(openedAs)) << CallLog();
        NeroFreeMem(list);
    }
}

TEST_F(LibraryAdaptersTest, ImplausibleLegacyCountsAreRefusedAndSpeedsReadNoFurtherThanTheRecord)
{
    ASSERT_EQ(LoadFake("legacy"), 1); // the converted list needs the library's allocator
    EXPECT_EQ(ConvertLegacyDriveList(nullptr), nullptr);
    // The devices and speeds a legacy list claims; the devices converted
    // (-1: refused) and the speeds kept.
    const std::tuple<int32_t, int32_t, int32_t, int32_t> cases[] = {
        {-1, 0, -1, 0}, {kMaxLegacyDevices + 1, 0, -1, 0},
        {0, 0, 0, 0},   {1, LEGACY_SPEED_MAX + 1, 1, LEGACY_SPEED_MAX},
        {1, -2, 1, 0},
    };
    LegacyDeviceInfoList legacy{};
    for (const auto &[devices, speeds, converted, kept] : cases) {
        SCOPED_TRACE(testing::Message() << devices << " devices, " << speeds << " speeds");
        legacy.count = devices;
        legacy.devices[0].readSpeedCount = legacy.devices[0].writeSpeedCount = speeds;
        DeviceInfoList *list = ConvertLegacyDriveList(&legacy);
        ASSERT_EQ(list != nullptr ? list->count : -1, converted);
        if (converted == 1) {
            EXPECT_EQ(list->devices[0].readSpeeds.count, kept);
            EXPECT_EQ(list->devices[0].writeSpeeds.count, kept);
        }
        NeroFreeMem(list);
    }
}

// How the track adapters forward each slot is the unit tests' part; here:
// where tracks get wrapped, and that each is destroyed exactly once.
TEST_F(LibraryAdaptersTest, TracksAreWrappedExactlyBelow5_5_9_16AndDestroyedOnce)
{
    ASSERT_EQ(LoadFake("current"), 1);
    for (const auto &[version, wrapped] :
         {std::pair{LibraryVersion{5, 5, 9, 16}, false}, std::pair{LibraryVersion{5, 5, 9, 15}, true}}) {
        SCOPED_TRACE(wrapped ? "5.5.9.15" : "5.5.9.16");
        SetFakeVersion(6000, version);
        ClearCallLog();
        IsoItem root{};
        IsoTrack *track = NeroCreateIsoTrackEx(&root, "LABEL", ISO_TRACK_UDF);
        ASSERT_NE(track, nullptr);
        const std::string creation = LoggedLine("NeroCreateIsoTrackEx");
        const std::string created = creation.substr(creation.rfind(' ') + 1);
        EXPECT_EQ(Pointer(track) != created, wrapped);

        // The library gets a view in its own interface; the record gets the
        // program's track back afterwards.
        WriteRecord record{};
        record.track = track;
        EXPECT_EQ(NeroBurn(nullptr, 0, &record, 0, 0, nullptr), BURN_OK);
        EXPECT_EQ(record.track, track);
        EXPECT_EQ(LoggedLine("NeroBurn") == "NeroBurn track=" + Pointer(track), !wrapped) << CallLog();
        EXPECT_FALSE(Logged("track destroyed"));

        // Releasing a wrapped track hands the library an owning legacy view;
        // destroying it unwinds to the library's own track, once.
        NeroFreeIsoTrack(track);
        EXPECT_EQ(LoggedLine("NeroFreeIsoTrack") == "NeroFreeIsoTrack " + Pointer(track), !wrapped);
        const std::string log = CallLog();
        const size_t destroyed = log.find("track destroyed " + created + " delete=1\n");
        EXPECT_NE(destroyed, std::string::npos) << log;
        EXPECT_EQ(log.find("track destroyed", destroyed + 1), std::string::npos) << log;
    }
    // Null tracks and records without a track pass untouched.
    EXPECT_EQ(NeroCreateIsoTrackEx(nullptr, "MOVIE", ISO_TRACK_UDF), nullptr);
    EXPECT_TRUE(Logged("NeroCreateIsoTrackEx refused"));
    NeroFreeIsoTrack(nullptr);
    EXPECT_TRUE(Logged("NeroFreeIsoTrack (nil)"));
    WriteRecord record{};
    EXPECT_EQ(NeroBurn(nullptr, 0, &record, 0, 0, nullptr), BURN_OK);
    EXPECT_TRUE(Logged("NeroBurn track=(nil)")) << CallLog();
}

TEST_F(LibraryAdaptersTest, Version5564IsNotShutDownAndEnumeratesWithTheDriverAside)
{
    ASSERT_EQ(LoadFake("v5564"), 1);
    for (const unsigned version : {5563u, 5564u, 5566u, 5567u}) {
        SCOPED_TRACE(version);
        SetFakeVersion(version, {5, 5, 6, 4});
        ClearCallLog();
        const bool skipped = version >= 5564 && version <= 5566;
        EXPECT_EQ(NeroDone(), skipped ? 1 : 0);
        EXPECT_EQ(Logged("NeroDone"), !skipped);
    }

    const QString driver = m_folder + "/DVDR.DLL";
    const QString aside = m_folder + "/DVDR._DLL";
    ASSERT_TRUE(QFile(driver).open(QIODevice::WriteOnly));
    for (const unsigned version : {5565u, 5564u}) {
        SCOPED_TRACE(version);
        SetFakeVersion(version, {5, 5, 6, 4});
        ClearCallLog();
        NeroFreeMem(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr));
        EXPECT_TRUE(Logged(version == 5564 ? "DVDR.DLL=0 DVDR._DLL=1" : "DVDR.DLL=1 DVDR._DLL=0"))
            << CallLog();
        EXPECT_TRUE(QFile::exists(driver));
        EXPECT_FALSE(QFile::exists(aside));
    }
    // Still 5564: a file already aside is never replaced, neither way.
    ASSERT_TRUE(QFile(aside).open(QIODevice::WriteOnly));
    NeroFreeMem(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr));
    EXPECT_TRUE(QFile::exists(driver));
    EXPECT_TRUE(QFile::exists(aside));
}

TEST_F(LibraryAdaptersTest, EraseModeEjectFlagAndReasonsReachTheLibrary)
{
    ASSERT_EQ(LoadFake("current"), 1);
    auto *device = reinterpret_cast<RecDeviceHandle>(&m_folder);
    NeroEraseCDRW(device, ERASE_MODE_FULL);
    NeroEraseCDRW(device, ERASE_MODE_QUICK);
    NeroEjectLoadCD(device, 1);
    NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT);
    NeroGetLocalizedWaitCDTexts(WAIT_REASON_WRONG_MEDIUM);
    EXPECT_TRUE(Logged("NeroEraseCDRW 0\nNeroEraseCDRW 1\nNeroEjectLoadCD 1\nNeroGetCDInfo 3\n"
                       "NeroGetLocalizedWaitCDTexts 2\n"))
        << CallLog();
}

} // namespace
