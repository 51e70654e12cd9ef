// The recorder list, the disc information and the small exports, seen
// through the exported functions of a copied NeroAPI.so.
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

namespace {

const char *const ThreeRecorders = R"(
# a comment line
[Test DVD Writer]
medium = DVD+RW blank
file = media/dvd.iso
speeds = 2.4x 4x 8x
pacing = full-speed

[Test CD Writer]
medium = CD-RW written
file = media/cd.iso
speeds = 4x 10x 40x

[Test DVD-R Only]
medium = DVD-R blank
file = /absolute/elsewhere/dvdr.iso
writes = DVD-R
)";

std::vector<std::string> namesFor(LoadedReclib &lib, uint32_t mediaSet)
{
    std::vector<std::string> names;
    DeviceInfoList *list = lib.api.NeroGetAvailableDrivesEx(mediaSet, nullptr);
    EXPECT_NE(list, nullptr);
    for (int32_t i = 0; list != nullptr && i < list->count; ++i) {
        const DeviceInfo &device = list->devices[i];
        EXPECT_EQ(device.deviceType, DEVICE_TYPE_WRITER) << device.name;
        EXPECT_EQ(device.capabilities & DEVICE_CAP_WRITE, DEVICE_CAP_WRITE) << device.name;
        EXPECT_NE(device.mediaSet & mediaSet, 0u) << device.name;
        names.emplace_back(device.name);
    }
    lib.api.NeroFreeMem(list);
    return names;
}

} // namespace

TEST(ReclibEnumeration, ListsVirtualRecordersByMediaSetThenTheImageRecorder)
{
    LoadedReclib lib(ThreeRecorders);
    // No /dev/sr* on a test machine: only virtual recorders and the image recorder.
    EXPECT_EQ(namesFor(lib, MEDIA_SET_DVD),
              (std::vector<std::string>{"Test DVD Writer", "Test DVD-R Only", "Image Recorder"}));
    EXPECT_EQ(namesFor(lib, MEDIA_SET_CD), (std::vector<std::string>{"Test CD Writer", "Image Recorder"}));
    EXPECT_EQ(namesFor(lib, MEDIA_DVD_PLUS), (std::vector<std::string>{"Test DVD Writer", "Image Recorder"}));
}

TEST(ReclibEnumeration, DeviceRecordsCarryMediaSetsAndSpeedBlocks)
{
    LoadedReclib lib(ThreeRecorders);
    DeviceInfoList *list = lib.api.NeroGetAvailableDrivesEx(0, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 4);
    const DeviceInfo &dvd = list->devices[0];
    EXPECT_EQ(dvd.mediaSet, MEDIA_DVD_PLUS);
    ASSERT_EQ(dvd.writeSpeeds.count, 3);
    EXPECT_EQ(dvd.writeSpeeds.rate1x, 1385);
    EXPECT_EQ((std::vector<int>(dvd.writeSpeeds.kBs, dvd.writeSpeeds.kBs + 3)),
              (std::vector<int>{3324, 5540, 11080}));
    EXPECT_EQ((std::vector<int>(dvd.writeSpeeds.multiples, dvd.writeSpeeds.multiples + 3)),
              (std::vector<int>{2, 4, 8}));

    const DeviceInfo &cd = list->devices[1];
    EXPECT_EQ(cd.mediaSet, MEDIA_CD);
    EXPECT_EQ(cd.writeSpeeds.rate1x, 176);
    ASSERT_EQ(cd.writeSpeeds.count, 3);
    EXPECT_EQ(cd.writeSpeeds.kBs[2], 40 * 176); // shown as exactly 40.0x

    EXPECT_EQ(list->devices[2].mediaSet, MEDIA_DVD_MINUS);
    EXPECT_EQ(list->devices[2].writeSpeeds.count, 0);
    const DeviceInfo &image = list->devices[3];
    EXPECT_STREQ(image.name, "Image Recorder");
    EXPECT_EQ(image.mediaSet, MEDIA_CD | MEDIA_SET_DVD);
    EXPECT_EQ(image.writeSpeeds.count, 0);
    lib.api.NeroFreeMem(list);
    EXPECT_EQ(lib.errorLog(), "");
}

TEST(ReclibEnumeration, ConfigurationProblemsReachTheErrorLogAndSkipOnlyTheBadRecorder)
{
    LoadedReclib lib(R"(
stray = 1
[No File]
medium = DVD+RW blank
[Good]
medium = DVD+RW blank
file = media/good.iso
speeds = fast 4x
colour = blue
)");
    EXPECT_EQ(namesFor(lib, MEDIA_SET_DVD), (std::vector<std::string>{"Good", "Image Recorder"}));
    const std::string log = lib.errorLog();
    EXPECT_NE(log.find("no medium file"), std::string::npos) << log;
    EXPECT_NE(log.find("\"fast\""), std::string::npos) << log;
    EXPECT_NE(log.find("unknown key \"colour\""), std::string::npos) << log;
    EXPECT_NE(log.find("outside a [recorder] section"), std::string::npos) << log;
}

TEST(ReclibEnumeration, WithoutAConfigurationOnlyTheImageRecorderIsListed)
{
    LoadedReclib lib("");
    EXPECT_EQ(namesFor(lib, MEDIA_SET_CD), (std::vector<std::string>{"Image Recorder"}));
    DeviceInfoList *legacy = static_cast<DeviceInfoList *>(lib.api.NeroGetAvailableDrives());
    ASSERT_NE(legacy, nullptr);
    EXPECT_EQ(legacy->count, 1);
    lib.api.NeroFreeMem(legacy);
}

TEST(ReclibEnumeration, VersionsAndTexts)
{
    LoadedReclib lib("");
    EXPECT_EQ(lib.api.NeroGetAPIVersion(), 6600u);
    uint16_t major = 0, minor = 0, third = 9, fourth = 9;
    EXPECT_EQ(lib.api.NeroGetAPIVersionEx(&major, &minor, &third, &fourth, nullptr), 1);
    EXPECT_EQ((std::vector<int>{major, minor, third, fourth}), (std::vector<int>{6, 6, 0, 0}));
    EXPECT_NE(lib.api.NeroSetExpectedAPIVersionEx(6, 0, 0, 0, nullptr), 0);
    EXPECT_NE(lib.api.NeroSetExpectedAPIVersion(6000), 0);
    EXPECT_EQ(lib.api.NeroSetExpectedAPIVersionEx(7, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(lib.api.NeroSetExpectedAPIVersion(6700), 0);
    EXPECT_EQ(lib.api.NeroInit(nullptr, nullptr), 1);

    char *names = lib.api.NeroGetTypeNameOfMedia(MEDIA_SET_DVD, nullptr);
    ASSERT_NE(names, nullptr);
    EXPECT_STREQ(names, "DVD-R/RW, DVD+R/RW");
    lib.api.NeroFreeMem(names);
    names = lib.api.NeroGetTypeNameOfMedia(MEDIA_CD | MEDIA_DVD_PLUS, " / ");
    EXPECT_STREQ(names, "CD-R/RW / DVD+R/RW");
    lib.api.NeroFreeMem(names);

    char *wait = lib.api.NeroGetLocalizedWaitCDTexts(WAIT_REASON_INSERT_MEDIUM);
    ASSERT_NE(wait, nullptr);
    EXPECT_GT(std::strlen(wait), 10u);
    lib.api.NeroFreeMem(wait);
    EXPECT_EQ(lib.api.NeroGetLocalizedWaitCDTexts(999), nullptr);

    auto *block = static_cast<unsigned char *>(lib.api.NeroCreateIsoItemOfSize(sizeof(IsoItem)));
    ASSERT_NE(block, nullptr);
    for (size_t i = 0; i < sizeof(IsoItem); ++i)
        ASSERT_EQ(block[i], 0);
    lib.api.NeroFreeMem(block);
    lib.api.NeroFreeMem(nullptr);
}

struct DiscInfoCase
{
    const char *medium;
    int32_t mediumType;
    uint32_t mediaType;
    int32_t contentCount;
    int32_t erasable;
};

class ReclibDiscInfo : public ::testing::TestWithParam<DiscInfoCase>
{
};

TEST_P(ReclibDiscInfo, ComesFromTheMediumState)
{
    const DiscInfoCase &c = GetParam();
    LoadedReclib lib(std::string("[R]\nwrites = DVD CD\nfile = media/disc.iso\nmedium = ") + c.medium + "\n");
    RecDeviceHandle device = lib.open("R");
    const DiscInfo info = lib.discInfo(device);
    EXPECT_EQ(info.mediumType, c.mediumType);
    EXPECT_EQ(info.mediaType, c.mediaType);
    EXPECT_EQ(info.contentCount, c.contentCount);
    EXPECT_EQ(info.erasable, c.erasable);
    lib.api.NeroCloseDevice(device);
}

INSTANTIATE_TEST_SUITE_P(
    Media, ReclibDiscInfo,
    ::testing::Values(DiscInfoCase{"DVD+RW blank", MEDIUM_TYPE_DVD, MEDIA_TYPE_DVD_PRW, 0, 1},
                      DiscInfoCase{"DVD+RW written", MEDIUM_TYPE_DVD, MEDIA_TYPE_DVD_PRW, 1, 1},
                      DiscInfoCase{"DVD-RW written", MEDIUM_TYPE_DVD, MEDIA_TYPE_DVD_RW, 1, 1},
                      DiscInfoCase{"DVD-R blank", MEDIUM_TYPE_DVD, MEDIA_DVD_MINUS, 0, 0},
                      DiscInfoCase{"DVD+R written", MEDIUM_TYPE_DVD, MEDIA_DVD_PLUS, 1, 0},
                      DiscInfoCase{"CD-RW written", MEDIUM_TYPE_CDRW, MEDIA_CD, 1, 1},
                      DiscInfoCase{"CD-R blank", MEDIUM_TYPE_CDR, MEDIA_CD, 0, 0}),
    [](const ::testing::TestParamInfo<DiscInfoCase> &testInfo) {
        std::string name = testInfo.param.medium;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : (c == '+' ? 'P' : '_');
        return name;
    });

TEST(ReclibDiscInfoNone, NoMediumGivesNoRecordAndALogLine)
{
    LoadedReclib lib("[Empty]\nmedium = none\nfile = media/e.iso\nwrites = DVD\n");
    RecDeviceHandle device = lib.open("Empty");
    EXPECT_EQ(lib.api.NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT), nullptr);
    EXPECT_NE(lib.errorLog().find("no disc"), std::string::npos);
    lib.api.NeroCloseDevice(device);
}
