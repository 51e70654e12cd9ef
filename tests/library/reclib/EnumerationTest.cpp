// The recorder list, the disc information and the small exports, seen
// through the exported functions of a copied NeroAPI.so.
#include "ReclibHarness.h"

#include <gtest/gtest.h>

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

std::vector<int> values(const int32_t *first, int32_t count)
{
    return {first, first + count};
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

    DeviceInfoList *list = lib.api.NeroGetAvailableDrivesEx(0, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 4);
    const SpeedBlock &dvd = list->devices[0].writeSpeeds;
    EXPECT_EQ(list->devices[0].mediaSet, MEDIA_DVD_PLUS);
    EXPECT_EQ(dvd.rate1x, 1385);
    EXPECT_EQ(values(dvd.kBs, dvd.count), (std::vector<int>{3324, 5540, 11080}));
    EXPECT_EQ(values(dvd.multiples, dvd.count), (std::vector<int>{2, 4, 8}));
    const SpeedBlock &cd = list->devices[1].writeSpeeds;
    EXPECT_EQ(list->devices[1].mediaSet, MEDIA_CD);
    EXPECT_EQ(cd.rate1x, 176);
    EXPECT_EQ(values(cd.kBs, cd.count), (std::vector<int>{4 * 176, 10 * 176, 40 * 176})); // exactly 40.0x
    EXPECT_EQ(list->devices[2].mediaSet, MEDIA_DVD_MINUS);
    EXPECT_EQ(list->devices[2].writeSpeeds.count, 0);
    EXPECT_EQ(list->devices[3].mediaSet, MEDIA_CD | MEDIA_SET_DVD);
    EXPECT_EQ(list->devices[3].writeSpeeds.count, 0);
    lib.api.NeroFreeMem(list);
    EXPECT_EQ(lib.errorLog(), "");
}

TEST(ReclibEnumeration, ConfigurationProblemsReachTheErrorLogAndSkipOnlyTheBadRecorder)
{
    LoadedReclib lib("stray = 1\n[No File]\nmedium = DVD+RW blank\n[Good]\nmedium = DVD+RW blank\n"
                     "file = media/good.iso\nspeeds = fast 4x\ncolour = blue\n");
    EXPECT_EQ(namesFor(lib, MEDIA_SET_DVD), (std::vector<std::string>{"Good", "Image Recorder"}));
    const std::string log = lib.errorLog();
    for (const char *problem :
         {"no medium file", "\"fast\"", "unknown key \"colour\"", "outside a [recorder] section"})
        EXPECT_NE(log.find(problem), std::string::npos) << problem << "\n" << log;
}

TEST(ReclibEnumeration, WithoutAConfigurationTheImageRecorderAloneIsListedAndTheSmallExportsAnswer)
{
    LoadedReclib lib("");
    EXPECT_EQ(namesFor(lib, MEDIA_SET_CD), (std::vector<std::string>{"Image Recorder"}));
    DeviceInfoList *legacy = static_cast<DeviceInfoList *>(lib.api.NeroGetAvailableDrives());
    ASSERT_NE(legacy, nullptr);
    EXPECT_EQ(legacy->count, 1);
    lib.api.NeroFreeMem(legacy);
    // A current library: the program hands it its tracks as they are.
    uint16_t version[4] = {9, 9, 9, 9};
    EXPECT_EQ(lib.api.NeroGetAPIVersionEx(&version[0], &version[1], &version[2], &version[3], nullptr), 1);
    EXPECT_EQ(std::vector<uint16_t>(version, version + 4), (std::vector<uint16_t>{6, 6, 0, 0}));
    EXPECT_EQ(lib.api.NeroSetExpectedAPIVersionEx(7, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(lib.api.NeroInit(nullptr, nullptr), 1);

    for (const auto &[media, separator, names] :
         {std::tuple{MEDIA_SET_DVD, static_cast<const char *>(nullptr), "DVD-R/RW, DVD+R/RW"},
          std::tuple{MEDIA_CD | MEDIA_DVD_PLUS, " / ", "CD-R/RW / DVD+R/RW"}}) {
        char *text = lib.api.NeroGetTypeNameOfMedia(media, separator);
        EXPECT_STREQ(text, names);
        lib.api.NeroFreeMem(text);
    }
    auto *block = static_cast<unsigned char *>(lib.api.NeroCreateIsoItemOfSize(sizeof(IsoItem)));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(block, block + sizeof(IsoItem)),
              std::vector<unsigned char>(sizeof(IsoItem)));
    lib.api.NeroFreeMem(block);
    lib.api.NeroFreeMem(nullptr);
}

TEST(ReclibDiscInfo, ComesFromTheMediumState)
{
    const struct
    {
        const char *medium;
        int32_t mediumType;
        uint32_t mediaType;
        int32_t contentCount;
        int32_t erasable;
    } cases[] = {
        {"DVD+RW written", MEDIUM_TYPE_DVD, MEDIA_TYPE_DVD_PRW, 1, 1},
        {"DVD-RW written", MEDIUM_TYPE_DVD, MEDIA_TYPE_DVD_RW, 1, 1},
        {"DVD-R blank", MEDIUM_TYPE_DVD, MEDIA_DVD_MINUS, 0, 0},
        {"DVD+R written", MEDIUM_TYPE_DVD, MEDIA_DVD_PLUS, 1, 0},
        {"CD-RW written", MEDIUM_TYPE_CDRW, MEDIA_CD, 1, 1},
        {"CD-R blank", MEDIUM_TYPE_CDR, MEDIA_CD, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.medium);
        LoadedReclib lib(std::string("[R]\nwrites = DVD CD\nfile = media/disc.iso\nmedium = ") + c.medium +
                         "\n");
        const DiscInfo info = lib.discInfo(lib.open("R"));
        EXPECT_EQ(info.mediumType, c.mediumType);
        EXPECT_EQ(info.mediaType, c.mediaType);
        EXPECT_EQ(info.contentCount, c.contentCount);
        EXPECT_EQ(info.erasable, c.erasable);
    }
    LoadedReclib lib("[Empty]\nmedium = none\nfile = media/e.iso\nwrites = DVD\n");
    EXPECT_EQ(lib.api.NeroGetCDInfo(lib.open("Empty"), CDINFO_FLAGS_DEFAULT), nullptr);
    EXPECT_TRUE(lib.errorLogged("no disc"));
}
