// The committed DVD-Video samples burned through the library's own image
// builder to a virtual recorder, then read by libdvdread and isoinfo.
#include "DvdVideoLayoutCheck.h"
#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "ReclibHarness.h"
#include "UdfImage.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

const char *const DvdWriter = "[DVD]\nmedium = DVD+RW blank\nfile = media/dvd.iso\nspeeds = 4x 8x\n";
constexpr uint32_t BridgeFlags = ISO_TRACK_ISO9660 | ISO_TRACK_UDF;

bool listed(const std::vector<imagetest::ListedEntry> &entries, const std::string &folder,
            const std::string &name)
{
    for (const imagetest::ListedEntry &entry : entries) {
        if (entry.folder == folder && entry.name == name)
            return true;
    }
    return false;
}

} // namespace

TEST(ReclibSampleBurn, TheSamplesBurnToImagesTheReadersAccept)
{
    for (const char *sample : {"dvd-menuless", "dvd-with-menus"}) {
        SCOPED_TRACE(sample);
        LoadedReclib lib(DvdWriter);
        const auto tree = imagetest::IsoItemTree::fromDvdFolder(imagetest::samplePath(sample));
        IsoTrack *track =
            lib.api.NeroCreateIsoTrackEx(tree->root(), "SAMPLE_DISC", BridgeFlags | ISO_TRACK_REALLOC);
        ASSERT_NE(track, nullptr) << lib.errorLog();
        RecDeviceHandle device = lib.open("DVD", MEDIA_SET_DVD);
        ASSERT_EQ(lib.burn(device, track, ProgramBurnFlags | BURN_FLAG_VERIFY, 11080), BURN_OK)
            << lib.callbacks.allLogs();

        const std::string image = lib.folder + "/media/dvd.iso";
        EXPECT_EQ(imagecheck::placementMismatches(image), std::vector<std::string>{});
        const std::vector<imagetest::ListedEntry> entries = imagetest::isoinfoListing(image, false);
        EXPECT_TRUE(listed(entries, "/VIDEO_TS/", "VIDEO_TS.IFO;1"));
        EXPECT_TRUE(listed(entries, "/VIDEO_TS/", "VTS_01_1.VOB;1"));

        dvd_reader_t *dvd = DVDOpen(image.c_str());
        ASSERT_NE(dvd, nullptr);
        ifo_handle_t *vmg = ifoOpen(dvd, 0);
        ASSERT_NE(vmg, nullptr);
        for (int set = 1; set <= vmg->vmgi_mat->vmg_nr_of_title_sets; ++set) {
            ifo_handle_t *vts = ifoOpen(dvd, set);
            EXPECT_NE(vts, nullptr) << "title set " << set;
            if (vts != nullptr)
                ifoClose(vts);
        }
        ifoClose(vmg);
        DVDClose(dvd);
        EXPECT_EQ(lib.discInfo(device).contentCount, 1);
        lib.api.NeroCloseDevice(device);
    }
}

TEST(ReclibSampleBurn, ASourceFileRemovedBeforeTheBurnFailsWithItsRequiredFileLine)
{
    LoadedReclib lib(DvdWriter);
    const std::string source = lib.folder + "/source";
    imagetest::copyFolder(imagetest::samplePath("dvd-menuless"), source);
    const auto tree = imagetest::IsoItemTree::fromDvdFolder(source);
    IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "SAMPLE_DISC", BridgeFlags);
    ASSERT_NE(track, nullptr);
    std::filesystem::remove(source + "/VIDEO_TS/VTS_01_1.VOB");
    RecDeviceHandle device = lib.open("DVD");
    EXPECT_EQ(lib.burn(device, track, ProgramBurnFlags), BURN_FAILED);
    bool requiredFileLine = false;
    for (const auto &[type, text] : lib.callbacks.logs)
        requiredFileLine = requiredFileLine || text.rfind("Required file", 0) == 0;
    EXPECT_TRUE(requiredFileLine) << lib.callbacks.allLogs();
    EXPECT_FALSE(exists(lib.folder + "/media/dvd.iso"));
    lib.api.NeroCloseDevice(device);
}

TEST(ReclibSampleBurn, AVobChangedAfterTheTrackWasCreatedFailsTheBurnNamingIt)
{
    const struct
    {
        const char *change;
        std::function<void(const std::string &)> apply;
    } cases[] = {
        {"grown",
         [](const std::string &vob) {
             std::ofstream(vob, std::ios::binary | std::ios::app) << std::string(4096, '\0');
         }},
        {"rewritten, same size",
         [](const std::string &vob) {
             const auto later = std::filesystem::last_write_time(vob) + std::chrono::seconds(3);
             std::filesystem::last_write_time(vob, later);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        LoadedReclib lib(DvdWriter);
        const std::string source = lib.folder + "/source";
        imagetest::copyFolder(imagetest::samplePath("dvd-menuless"), source);
        const auto tree = imagetest::IsoItemTree::fromDvdFolder(source);
        IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "SAMPLE_DISC", BridgeFlags);
        ASSERT_NE(track, nullptr);
        const std::string vob = source + "/VIDEO_TS/VTS_01_1.VOB";
        c.apply(vob);
        RecDeviceHandle device = lib.open("DVD");
        EXPECT_EQ(lib.burn(device, track, ProgramBurnFlags), BURN_FAILED);
        EXPECT_NE(lib.errorLog().find("changed while it was being burned: " + vob), std::string::npos)
            << lib.errorLog();
        EXPECT_FALSE(exists(lib.folder + "/media/dvd.iso"));
        EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
        lib.api.NeroCloseDevice(device);
    }
}

TEST(ReclibSampleBurn, AFolderTooDeepForIso9660IsMovedWithOneLogLine)
{
    LoadedReclib lib(DvdWriter);
    const std::string source = lib.folder + "/source";
    imagetest::copyFolder(imagetest::samplePath("dvd-menuless"), source);
    const std::string deep = source + "/E1/E2/E3/E4/E5/E6/E7/E8/E9";
    std::filesystem::create_directories(deep);
    writeFile(deep + "/note.txt", "nine levels below the root");
    const auto tree = imagetest::IsoItemTree::fromDvdFolder(source);
    IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "DEEP", BridgeFlags | ISO_TRACK_JOLIET);
    ASSERT_NE(track, nullptr);
    RecDeviceHandle device = lib.open("DVD");
    ASSERT_EQ(lib.burn(device, track, ProgramBurnFlags), BURN_OK) << lib.callbacks.allLogs();
    int moves = 0;
    for (const auto &[type, text] : lib.callbacks.logs)
        if (type == LOG_TEXT_INFO && text.find("\"/E1/E2/E3/E4/E5/E6/E7/E8\"") != std::string::npos &&
            text.find("\"/RR_MOVED/E8\"") != std::string::npos)
            ++moves;
    EXPECT_EQ(moves, 1) << lib.callbacks.allLogs();
    EXPECT_TRUE(listed(imagetest::isoinfoListing(lib.folder + "/media/dvd.iso", false), "/RR_MOVED/E8/E9/",
                       "NOTE.TXT;1"));
    lib.api.NeroCloseDevice(device);
}

// Where a verify difference lies, as the log and the error log name it.
struct VerifyFault
{
    const char *name;
    std::function<uint32_t(const std::string &cleanImage)> sector;
    std::string named;
};

TEST(ReclibSampleBurn, VerifyNamesTheFileOrStructureThatDiffers)
{
    std::string clean;
    {
        LoadedReclib lib(DvdWriter);
        const auto tree = imagetest::IsoItemTree::fromDvdFolder(imagetest::samplePath("dvd-with-menus"));
        IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "VERIFY", BridgeFlags);
        RecDeviceHandle device = lib.open("DVD");
        ASSERT_EQ(lib.burn(device, track, ProgramBurnFlags), BURN_OK);
        lib.api.NeroCloseDevice(device);
        clean = imagetest::tempDir("verify") + "/clean.iso";
        std::filesystem::copy_file(lib.folder + "/media/dvd.iso", clean);
    }
    const auto vobSector = [](const std::string &image) {
        return *imagecheck::UdfImage(image).firstSector("/VIDEO_TS/VTS_01_1.VOB");
    };
    const VerifyFault faults[] = {
        {"a VOB", [&](const std::string &image) { return vobSector(image) + 3; },
         "in /VIDEO_TS/VTS_01_1.VOB at byte offset 6144"},
        {"the first sector of a file", [&](const std::string &image) { return vobSector(image); },
         "in /VIDEO_TS/VTS_01_1.VOB at byte offset 0"},
        {"a file outside VIDEO_TS",
         [](const std::string &image) {
             return *imagecheck::UdfImage(image).firstSector("/Extras/Bücher/Liesmich.txt");
         },
         "in /Extras/Bücher/Liesmich.txt at byte offset 0"},
        {"the ISO 9660 volume descriptor", [](const std::string &) { return 16u; },
         "in the file-system structures"},
        {"the UDF anchor", [](const std::string &) { return 256u; }, "in the file-system structures"},
    };
    for (const VerifyFault &fault : faults) {
        SCOPED_TRACE(fault.name);
        const uint32_t sector = fault.sector(clean);
        LoadedReclib lib(std::string(DvdWriter) + "fault = corrupt-sector " + std::to_string(sector) + "\n");
        const auto tree = imagetest::IsoItemTree::fromDvdFolder(imagetest::samplePath("dvd-with-menus"));
        IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "VERIFY", BridgeFlags);
        RecDeviceHandle device = lib.open("DVD");
        EXPECT_EQ(lib.burn(device, track, ProgramBurnFlags | BURN_FLAG_VERIFY), BURN_FAILED);
        const std::string where = "at sector " + std::to_string(sector) + " " + fault.named;
        EXPECT_TRUE(lib.callbacks.loggedContaining(where)) << lib.callbacks.allLogs();
        EXPECT_NE(lib.errorLog().find(where), std::string::npos) << lib.errorLog();
        lib.api.NeroCloseDevice(device);
    }
}
