// The adapters against stand-in libraries of each generation: what crosses
// the boundary, the version-dependent paths (legacy drive lists and tracks,
// skipped shutdown, renamed driver) and the fallbacks for missing exports.
#include "FakeLibraryTest.h"

#include "recorder/LegacyDevices.h"
#include "recorder/LibraryAdapters.h"
#include "recorder/RecordingLibrary.h"

#include <QFile>

#include <vector>

namespace {

using LibraryAdaptersTest = FakeLibraryTest;

std::vector<int32_t> Values(const int32_t *values, int32_t count)
{
    return {values, values + count};
}

// The address the stand-in logged for the track it made.
std::string CreatedTrack(const std::string &line)
{
    return line.substr(line.rfind(' ') + 1);
}

TEST_F(LibraryAdaptersTest, LegacyListIsConvertedWithCdRates)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    DeviceInfoList *list = NeroGetAvailableDrives();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 1);
    const DeviceInfo &device = list->devices[0];
    EXPECT_STREQ(device.name, "Old Recorder");
    EXPECT_STREQ(device.shortText, "OLDTEXT");
    EXPECT_STREQ(device.libText, "legacy library text");
    EXPECT_EQ((std::vector<int32_t>{device.value72, device.value76, device.deviceType, device.letter,
                                    device.capabilities, device.value1456, device.readSpeeds.rate1x}),
              (std::vector<int32_t>{1, 2, DEVICE_TYPE_WRITER, 'E', DEVICE_CAP_WRITE, 7, 150}));
    EXPECT_EQ(Values(device.readSpeeds.kBs, device.readSpeeds.count),
              (std::vector<int32_t>{150, 300, 600, 1200, 1800, 2400, 3000, 3600}));
    EXPECT_EQ(Values(device.readSpeeds.multiples, 8), (std::vector<int32_t>{1, 2, 4, 8, 12, 16, 20, 24}));
    EXPECT_EQ(Values(device.writeSpeeds.kBs, device.writeSpeeds.count),
              (std::vector<int32_t>{600, 1200, 2400}));
    EXPECT_NE(device.libPointer, nullptr);
    EXPECT_EQ(device.mediaSet, 0u);
    // The converted list comes from the library's allocator; the library's
    // own list has been handed back to it.
    EXPECT_TRUE(Logged("NeroFreeMem ")) << CallLog();
    NeroFreeMem(list);
}

TEST_F(LibraryAdaptersTest, ImplausibleLegacyCountsAreRefusedAndSpeedsReadNoFurtherThanTheRecord)
{
    ASSERT_EQ(LoadFake("legacy"), 1); // the converted list needs the library's allocator
    EXPECT_EQ(ConvertLegacyDriveList(nullptr), nullptr);
    LegacyDeviceInfoList legacy{};
    for (const int32_t count : {-5, kMaxLegacyDevices + 1, 1000000, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(count);
        legacy.count = count;
        EXPECT_EQ(ConvertLegacyDriveList(&legacy), nullptr);
    }
    legacy.count = 0;
    DeviceInfoList *empty = ConvertLegacyDriveList(&legacy);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->count, 0);
    NeroFreeMem(empty);

    legacy.count = 1;
    for (const int32_t speeds : {21, 100000, -2}) {
        SCOPED_TRACE(speeds);
        legacy.devices[0].readSpeedCount = legacy.devices[0].writeSpeedCount = speeds;
        DeviceInfoList *list = ConvertLegacyDriveList(&legacy);
        ASSERT_NE(list, nullptr);
        const int32_t expected = speeds < 0 ? 0 : LEGACY_SPEED_MAX;
        EXPECT_EQ(list->devices[0].readSpeeds.count, expected);
        EXPECT_EQ(list->devices[0].writeSpeeds.count, expected);
        NeroFreeMem(list);
    }
}

TEST_F(LibraryAdaptersTest, LegacyTrackLivesBehindAdaptersFromCreationToRelease)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    IsoItem root{};
    const uint32_t flags = ISO_TRACK_UDF | ISO_TRACK_ISO9660;
    IsoTrack *track = NeroCreateIsoTrackEx(&root, "MOVIE", flags);
    ASSERT_NE(track, nullptr);
    const std::string libraryTrack = CreatedTrack(LoggedLine("NeroCreateIsoTrackEx"));
    EXPECT_NE(Pointer(track), libraryTrack);
    // The program speaks the current interface to it. Slots the legacy one
    // lacks answer 0 (the stand-in's own answer 500 and more).
    EXPECT_EQ(track->vtbl->fsFlags(track), flags);
    EXPECT_STREQ(track->vtbl->volumeLabel(track), "MOVIE");
    EXPECT_EQ(track->vtbl->isMode2(track), 26);
    for (auto slot : {&IsoTrackVtbl::reserved5, &IsoTrackVtbl::reserved6, &IsoTrackVtbl::reserved8,
                      &IsoTrackVtbl::reserved12, &IsoTrackVtbl::reserved13, &IsoTrackVtbl::reserved20,
                      &IsoTrackVtbl::reserved28})
        EXPECT_EQ((track->vtbl->*slot)(track), 0);

    // The library sees the legacy interface for the burn, and the record
    // gets the program's track back afterwards.
    WriteRecord record{};
    record.track = track;
    EXPECT_EQ(NeroBurn(nullptr, 0, &record, BURN_FLAG_WRITE, 1385, nullptr), BURN_OK);
    EXPECT_EQ(record.track, track);
    const std::string burn = LoggedLine("NeroBurn");
    EXPECT_EQ(burn.find("track=" + Pointer(track)), std::string::npos) << burn;
    EXPECT_NE(burn.find("block=2048 size=4321 open=0 read=1 r5=0 r6=0 r7=0 r8=0 r9=0,0 r12=0 "
                        "error=fake last error fs=24 label=MOVIE realloc=23 "
                        "warning=fake placement warning files=25 mode2=26 layout=fake layout error"),
              std::string::npos)
        << burn;
    EXPECT_TRUE(Logged("track opened\ntrack closed\n")) << CallLog();
    EXPECT_FALSE(Logged("track destroyed"));

    // Releasing hands the library an owning legacy view; destroying it
    // unwinds to the library's own track, once.
    NeroFreeIsoTrack(track);
    EXPECT_EQ(LoggedLine("NeroFreeIsoTrack").find(Pointer(track)), std::string::npos);
    const std::string log = CallLog();
    const size_t destroyed = log.find("track destroyed " + libraryTrack + " delete=1\n");
    EXPECT_NE(destroyed, std::string::npos) << log;
    EXPECT_EQ(log.find("track destroyed", destroyed + 1), std::string::npos) << log;
}

TEST_F(LibraryAdaptersTest, ALegacyLibrarySeesTheProgramsTrackInTheLegacyInterface)
{
    ASSERT_EQ(LoadFake("current"), 1);
    IsoItem root{};
    IsoTrack *track = NeroCreateIsoTrackEx(&root, "DISC", ISO_TRACK_UDF);
    ASSERT_NE(track, nullptr);
    SetFakeVersion(5500, {5, 5, 0, 0});
    WriteRecord record{};
    record.track = track;
    EXPECT_EQ(NeroBurn(nullptr, 0, &record, BURN_FLAG_WRITE, 1385, nullptr), BURN_OK);
    // The track's own reserved slots answer 500 and more: none is forwarded.
    EXPECT_NE(LoggedLine("NeroBurn")
                  .find("block=2048 size=4321 open=0 read=1 r5=0 r6=0 r7=0 r8=0 r9=0,0 r12=0 "
                        "error=fake last error fs=" +
                        std::to_string(ISO_TRACK_UDF) +
                        " label=DISC realloc=23 warning=fake placement warning files=25 "
                        "mode2=26 layout=fake layout error"),
              std::string::npos)
        << CallLog();
    SetFakeVersion(6000, {6, 0, 0, 0});
    NeroFreeIsoTrack(track);
}

TEST_F(LibraryAdaptersTest, NullTracksAndRecordsWithoutTrackPassUntouched)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    EXPECT_EQ(NeroCreateIsoTrackEx(nullptr, "MOVIE", ISO_TRACK_UDF), nullptr);
    EXPECT_TRUE(Logged("NeroCreateIsoTrackEx refused"));
    NeroFreeIsoTrack(nullptr);
    EXPECT_TRUE(Logged("NeroFreeIsoTrack (nil)"));
    WriteRecord record{};
    EXPECT_EQ(NeroBurn(nullptr, 0, &record, 0, 0, nullptr), BURN_OK);
    EXPECT_TRUE(Logged("track=(nil) (none)")) << CallLog();
}

TEST_F(LibraryAdaptersTest, TracksAreWrappedExactlyBelow5_5_9_16)
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
        const std::string created = CreatedTrack(LoggedLine("NeroCreateIsoTrackEx"));
        EXPECT_EQ(Pointer(track) != created, wrapped);
        WriteRecord record{};
        record.track = track;
        NeroBurn(nullptr, 0, &record, 0, 0, nullptr);
        EXPECT_EQ(LoggedLine("NeroBurn").find("track=" + Pointer(track)) == std::string::npos, wrapped);
        NeroFreeIsoTrack(track);
        EXPECT_EQ(LoggedLine("NeroFreeIsoTrack") == "NeroFreeIsoTrack " + Pointer(track), !wrapped);
        EXPECT_TRUE(Logged("track destroyed " + created + " delete=1"));
    }
}

TEST_F(LibraryAdaptersTest, SingleNumberIsSplitIntoComponentsAndDoneIsSkippedFor5564To5566)
{
    ASSERT_EQ(LoadFake("v5564"), 1);
    uint16_t parts[4] = {};
    EXPECT_EQ(NeroGetAPIVersionEx(&parts[0], &parts[1], &parts[2], &parts[3], nullptr), 1);
    EXPECT_EQ(std::vector<uint16_t>(parts, parts + 4), (std::vector<uint16_t>{5, 5, 6, 4}));
    for (const unsigned version : {5563u, 5564u, 5565u, 5566u, 5567u}) {
        SCOPED_TRACE(version);
        SetFakeVersion(version, {5, 5, 6, 4});
        ClearCallLog();
        const bool skipped = version >= 5564 && version <= 5566;
        EXPECT_EQ(NeroDone(), skipped ? 1 : 0);
        EXPECT_EQ(Logged("NeroDone"), !skipped);
    }
}

TEST_F(LibraryAdaptersTest, Version5564EnumeratesWithTheDriverRenamed)
{
    ASSERT_EQ(LoadFake("v5564"), 1);
    QFile driver(m_folder + "/DVDR.DLL");
    ASSERT_TRUE(driver.open(QIODevice::WriteOnly));
    driver.close();
    for (const unsigned version : {5564u, 5565u, 5563u}) {
        SCOPED_TRACE(version);
        SetFakeVersion(version, {5, 5, 6, 4});
        ClearCallLog();
        NeroFreeMem(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr));
        EXPECT_TRUE(Logged(version == 5564 ? "DVDR.DLL=0 DVDR._DLL=1" : "DVDR.DLL=1 DVDR._DLL=0"))
            << CallLog();
        EXPECT_TRUE(QFile::exists(m_folder + "/DVDR.DLL"));
        EXPECT_FALSE(QFile::exists(m_folder + "/DVDR._DLL"));
    }
}

TEST_F(LibraryAdaptersTest, RenameNeverReplacesAFileAlreadyAside)
{
    ASSERT_EQ(LoadFake("v5564"), 1);
    for (const char *name : {"/DVDR.DLL", "/DVDR._DLL"}) {
        QFile file(m_folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name);
    }
    NeroFreeMem(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr));
    for (const char *name : {"/DVDR.DLL", "/DVDR._DLL"}) {
        QFile file(m_folder + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray(name));
    }
}

TEST_F(LibraryAdaptersTest, WithoutTheOptionalExportsCdIsServedAndNamedInALibraryBlock)
{
    ASSERT_EQ(LoadFake("sparse"), 1);
    EXPECT_EQ(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr), nullptr);
    DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count, 2);
    EXPECT_STREQ(list->devices[0].name, "Fake Recorder A");
    NeroFreeMem(list);

    char *name = NeroGetTypeNameOfMedia(MEDIA_SET_DVD, nullptr);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, "CD-R/RW");
    // Made by the library, so its own release fits.
    EXPECT_TRUE(Logged("NeroCreateIsoItemOfSize 8\n"));
    NeroFreeMem(name);
    EXPECT_TRUE(Logged("NeroFreeMem " + Pointer(name)));
}

TEST_F(LibraryAdaptersTest, ArgumentsAndResultsPassThrough)
{
    ASSERT_EQ(LoadFake("current"), 1);
    RecLibSettings settings{};
    settings.filesFolder = "NeroFiles";
    EXPECT_EQ(NeroInit(&settings, nullptr), 0);
    char *media = NeroGetTypeNameOfMedia(MEDIA_SET_DVD, ", ");
    EXPECT_STREQ(media, "DVD-R, DVD+R");
    NeroFreeMem(media);
    DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr);
    ASSERT_NE(list, nullptr);
    RecDeviceHandle device = NeroOpenDevice(&list->devices[0]);
    ASSERT_NE(device, nullptr);
    DiscInfo *disc = NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT);
    ASSERT_NE(disc, nullptr);
    EXPECT_EQ(disc->mediaType, MEDIA_DVD_MINUS);
    NeroFreeMem(disc);
    EXPECT_EQ(NeroGetCDRWErasingTime(device, ERASE_MODE_QUICK), 41);
    EXPECT_EQ(NeroEraseCDRW(device, ERASE_MODE_QUICK), 0);
    EXPECT_EQ(NeroEjectLoadCD(device, 1), 0);
    NeroCloseDevice(device);
    NeroFreeMem(list);
    char *wait = NeroGetLocalizedWaitCDTexts(WAIT_REASON_WRONG_MEDIUM);
    EXPECT_STREQ(wait, "Insert a disc");
    NeroFreeMem(wait);
    char *errors = NeroGetErrorLog();
    EXPECT_STREQ(errors, "fake error log");
    NeroFreeMem(errors);
    NeroClearErrors();
    EXPECT_EQ(NeroDone(), 0);
    const std::string handle = Pointer(device);
    const std::string calls[] = {
        "NeroInit files=NeroFiles reserved=(nil)", "NeroGetTypeNameOfMedia 12 separator=, ",
        "NeroOpenDevice name=Fake Recorder A",     "NeroGetCDInfo " + handle + " flags=3",
        "NeroGetCDRWErasingTime " + handle + " 1", "NeroEraseCDRW " + handle + " 1",
        "NeroEjectLoadCD " + handle + " 1",        "NeroCloseDevice " + handle,
        "NeroGetLocalizedWaitCDTexts 2",           "NeroClearErrors\nNeroDone\n"};
    for (const std::string &call : calls)
        EXPECT_TRUE(Logged(call)) << call << "\n" << CallLog();
}

TEST_F(LibraryAdaptersTest, DeviceLayoutChangesAt5555)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    const std::tuple<unsigned, const char *, const char *> cases[] = {
        {5554, "Old Recorder", "NeroOpenDevice legacy name=Old Recorder write=3: 4 8 16"},
        {5555, "Fake Recorder A", "NeroOpenDevice name=Fake Recorder A"},
    };
    for (const auto &[version, firstName, openedAs] : cases) {
        SCOPED_TRACE(version);
        SetFakeVersion(version, {5, 5, 5, 5});
        ClearCallLog();
        DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr);
        ASSERT_NE(list, nullptr);
        EXPECT_STREQ(list->devices[0].name, firstName);
        NeroCloseDevice(NeroOpenDevice(&list->devices[0]));
        EXPECT_TRUE(Logged(openedAs)) << CallLog();
        NeroFreeMem(list);
    }
}

} // namespace
