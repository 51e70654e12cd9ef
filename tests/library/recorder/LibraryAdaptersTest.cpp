// The adapters against stand-in libraries of each generation: what crosses
// the boundary, the version-dependent paths, and the fallbacks for missing
// exports.
#include "FakeLibraryTest.h"

#include "recorder/LibraryAdapters.h"
#include "recorder/RecordingLibrary.h"

#include <QFile>

#include <cstring>

namespace {

class LibraryAdaptersTest : public FakeLibraryTest
{
};

TEST_F(LibraryAdaptersTest, SingleNumberIsSplitIntoComponents)
{
    ASSERT_EQ(LoadFake("v5564"), 1);
    uint16_t parts[4] = {};
    EXPECT_EQ(NeroGetAPIVersionEx(&parts[0], &parts[1], &parts[2], &parts[3], nullptr), 1);
    EXPECT_EQ(std::vector<uint16_t>(parts, parts + 4), (std::vector<uint16_t>{5, 5, 6, 4}));
}

TEST_F(LibraryAdaptersTest, DoneIsSkippedFor5564To5566)
{
    ASSERT_EQ(LoadFake("v5564"), 1);
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
        DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr);
        ASSERT_NE(list, nullptr);
        NeroFreeMem(list);
        const bool renamed = version == 5564;
        EXPECT_TRUE(Logged(renamed ? "DVDR.DLL=0 DVDR._DLL=1" : "DVDR.DLL=1 DVDR._DLL=0")) << CallLog();
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
    DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr);
    NeroFreeMem(list);
    for (const char *name : {"/DVDR.DLL", "/DVDR._DLL"}) {
        QFile file(m_folder + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray(name));
    }
}

TEST_F(LibraryAdaptersTest, EnumerationWithoutTheExtendedCallServesCdOnly)
{
    ASSERT_EQ(LoadFake("sparse"), 1);
    EXPECT_EQ(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr), nullptr);
    DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count, 2);
    EXPECT_STREQ(list->devices[0].name, "Fake Recorder A");
    NeroFreeMem(list);
}

TEST_F(LibraryAdaptersTest, MissingExportsGiveTheFailureResults)
{
    ASSERT_EQ(LoadFake("sparse"), 1);
    auto *device = reinterpret_cast<RecDeviceHandle>(this);
    DeviceInfo info{};
    WriteRecord record{};
    IsoItem root{};
    EXPECT_EQ(NeroInit(nullptr, nullptr), 1);
    EXPECT_EQ(NeroDone(), 1);
    EXPECT_EQ(NeroGetErrorLog(), nullptr);
    EXPECT_EQ(NeroOpenDevice(&info), nullptr);
    EXPECT_EQ(NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT), nullptr);
    EXPECT_EQ(NeroCreateIsoTrackEx(&root, "LABEL", ISO_TRACK_UDF), nullptr);
    EXPECT_EQ(NeroBurn(device, 0, &record, BURN_FLAG_WRITE, 0, nullptr), 1);
    EXPECT_EQ(NeroEjectLoadCD(device, 1), -1);
    EXPECT_EQ(NeroGetCDRWErasingTime(device, ERASE_MODE_FULL), -1);
    EXPECT_EQ(NeroEraseCDRW(device, ERASE_MODE_FULL), -1);
    EXPECT_EQ(NeroGetLocalizedWaitCDTexts(WAIT_REASON_INSERT_MEDIUM), nullptr);
    NeroClearErrors();
    NeroCloseDevice(device);
    NeroFreeIsoTrack(nullptr);
}

TEST_F(LibraryAdaptersTest, MediaNameFallsBackToCdInALibraryBlock)
{
    ASSERT_EQ(LoadFake("sparse"), 1);
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
    EXPECT_TRUE(Logged("NeroInit files=NeroFiles reserved=(nil)"));

    char *media = NeroGetTypeNameOfMedia(MEDIA_SET_DVD, ", ");
    EXPECT_STREQ(media, "DVD-R, DVD+R");
    EXPECT_TRUE(Logged("NeroGetTypeNameOfMedia 12 separator=, "));
    NeroFreeMem(media);

    DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr);
    ASSERT_NE(list, nullptr);
    RecDeviceHandle device = NeroOpenDevice(&list->devices[0]);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(Logged("NeroOpenDevice name=Fake Recorder A"));
    DiscInfo *disc = NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT);
    ASSERT_NE(disc, nullptr);
    EXPECT_EQ(disc->mediaType, MEDIA_DVD_MINUS);
    EXPECT_TRUE(Logged("NeroGetCDInfo " + Pointer(device) + " flags=3"));
    NeroFreeMem(disc);
    EXPECT_EQ(NeroGetCDRWErasingTime(device, ERASE_MODE_QUICK), 41);
    EXPECT_EQ(NeroEraseCDRW(device, ERASE_MODE_QUICK), 0);
    EXPECT_EQ(NeroEjectLoadCD(device, 1), 0);
    EXPECT_TRUE(Logged("NeroEjectLoadCD " + Pointer(device) + " 1"));
    NeroCloseDevice(device);
    EXPECT_TRUE(Logged("NeroCloseDevice " + Pointer(device)));
    NeroFreeMem(list);

    char *wait = NeroGetLocalizedWaitCDTexts(WAIT_REASON_WRONG_MEDIUM);
    EXPECT_STREQ(wait, "Insert a disc");
    EXPECT_TRUE(Logged("NeroGetLocalizedWaitCDTexts 2"));
    NeroFreeMem(wait);
    char *errors = NeroGetErrorLog();
    EXPECT_STREQ(errors, "fake error log");
    NeroFreeMem(errors);
    NeroClearErrors();
    EXPECT_EQ(NeroDone(), 0);
    EXPECT_TRUE(Logged("NeroClearErrors\nNeroDone\n"));
}

TEST_F(LibraryAdaptersTest, DeviceLayoutChangesAt5555)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    struct Case
    {
        unsigned version;
        const char *firstName;
        const char *openedAs;
    };
    const Case cases[] = {
        {5554, "Old Recorder", "NeroOpenDevice legacy name=Old Recorder write=3: 4 8 16"},
        {5555, "Fake Recorder A", "NeroOpenDevice name=Fake Recorder A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version);
        SetFakeVersion(c.version, {5, 5, 5, 5});
        ClearCallLog();
        DeviceInfoList *list = NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr);
        ASSERT_NE(list, nullptr);
        EXPECT_STREQ(list->devices[0].name, c.firstName);
        RecDeviceHandle device = NeroOpenDevice(&list->devices[0]);
        EXPECT_TRUE(Logged(c.openedAs)) << CallLog();
        NeroCloseDevice(device);
        NeroFreeMem(list);
    }
}

TEST_F(LibraryAdaptersTest, LegacyLibraryOpensACutSpeedListEndingWithTheFastest)
{
    ASSERT_EQ(LoadFake("legacy"), 1);
    DeviceInfo device{};
    std::strcpy(device.name, "Fast Recorder");
    device.writeSpeeds.count = 25;
    for (int i = 0; i < 25; ++i)
        device.writeSpeeds.multiples[i] = i + 1;
    RecDeviceHandle handle = NeroOpenDevice(&device);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(Logged("NeroOpenDevice legacy name=Fast Recorder write=20: 1 2 3 4 5 6 7 8 9 10 11 "
                       "12 13 14 15 16 17 18 19 25\n"))
        << CallLog();
    NeroCloseDevice(handle);
    // A null record reaches the library, which refuses it.
    EXPECT_EQ(NeroOpenDevice(nullptr), nullptr);
    EXPECT_TRUE(Logged("NeroOpenDevice null"));
}

} // namespace
