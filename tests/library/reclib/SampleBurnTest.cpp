// The committed DVD-Video samples burned through the library's own image
// builder to a virtual recorder.
#include "DvdVideoLayoutCheck.h"
#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "ReclibHarness.h"
#include "UdfImage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace {

const char *const DvdWriter = "[DVD]\nmedium = DVD+RW blank\nfile = media/dvd.iso\nspeeds = 4x 8x\n";

// A track of the sample (or of a copy of it in the library's folder, which
// the test may change) and the copy's folder.
IsoTrack *sampleTrack(LoadedReclib &lib, const char *sample, bool copy, uint32_t flags = imagetest::kBridge)
{
    std::string source = imagetest::samplePath(sample);
    if (copy) {
        imagetest::copyFolder(source, lib.folder + "/source");
        source = lib.folder + "/source";
    }
    const auto tree = imagetest::IsoItemTree::fromDvdFolder(source);
    IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "SAMPLE_DISC", flags);
    EXPECT_NE(track, nullptr) << lib.errorLog();
    return track;
}

} // namespace

TEST(ReclibSampleBurn, AVobRemovedOrChangedAfterTheTrackWasCreatedFailsTheBurnNamingIt)
{
    const struct
    {
        const char *change;
        std::function<void(const std::string &)> apply;
        std::string named;
    } cases[] = {
        {"removed", [](const std::string &vob) { std::filesystem::remove(vob); }, "Required file \""},
        {"rewritten, same size",
         [](const std::string &vob) {
             std::filesystem::last_write_time(vob, std::filesystem::last_write_time(vob) +
                                                       std::chrono::seconds(3));
         },
         "changed while it was being burned: "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        LoadedReclib lib(DvdWriter);
        IsoTrack *track = sampleTrack(lib, "dvd-menuless", true);
        const std::string vob = lib.folder + "/source/VIDEO_TS/VTS_01_1.VOB";
        c.apply(vob);
        EXPECT_EQ(lib.burn(lib.open("DVD"), track, ProgramBurnFlags), BURN_FAILED);
        EXPECT_TRUE(lib.errorLogged(c.named + vob)) << lib.errorLog();
        EXPECT_FALSE(exists(lib.folder + "/media/dvd.iso"));
        EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    }
}

TEST(ReclibSampleBurn, AVobThatIsNoRegularFileRefusesTheTrackBeforeAnyBurn)
{
    LoadedReclib lib(DvdWriter);
    imagetest::copyFolder(imagetest::samplePath("dvd-menuless"), lib.folder + "/source");
    const std::string vob = lib.folder + "/source/VIDEO_TS/VTS_01_1.VOB";
    std::filesystem::remove(vob);
    ASSERT_EQ(::mkfifo(vob.c_str(), 0644), 0);
    const auto tree = imagetest::IsoItemTree::fromDvdFolder(lib.folder + "/source");
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(tree->root(), "FIFO", imagetest::kBridge), nullptr);
    EXPECT_TRUE(lib.errorLogged("Required file \"" + vob + "\" is a FIFO")) << lib.errorLog();
}

TEST(ReclibSampleBurn, AFolderTooDeepForIso9660IsMovedWithOneLogLine)
{
    LoadedReclib lib(DvdWriter);
    imagetest::copyFolder(imagetest::samplePath("dvd-menuless"), lib.folder + "/deep");
    writeFile(lib.folder + "/deep/E1/E2/E3/E4/E5/E6/E7/E8/E9/note.txt", "nine levels below the root");
    const auto tree = imagetest::IsoItemTree::fromDvdFolder(lib.folder + "/deep");
    IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "DEEP", imagetest::kAll);
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(lib.burn(lib.open("DVD"), track, ProgramBurnFlags), BURN_OK) << lib.callbacks.allLogs();
    int moves = 0;
    for (const auto &[type, text] : lib.callbacks.logs)
        moves += type == LOG_TEXT_INFO && text.find("\"/E1/E2/E3/E4/E5/E6/E7/E8\"") != std::string::npos &&
                 text.find("\"/RR_MOVED/E8\"") != std::string::npos;
    EXPECT_EQ(moves, 1) << lib.callbacks.allLogs();
}

TEST(ReclibSampleBurn, VerifyNamesTheFileOrStructureThatDiffers)
{
    // The IFO files rewritten for the placement pass the verify of a sound write.
    const uint32_t flags = imagetest::kBridge | ISO_TRACK_REALLOC;
    std::string clean;
    {
        LoadedReclib lib(DvdWriter);
        RecDeviceHandle device = lib.open("DVD");
        ASSERT_EQ(lib.burn(device, sampleTrack(lib, "dvd-with-menus", false, flags),
                           ProgramBurnFlags | BURN_FLAG_VERIFY),
                  BURN_OK)
            << lib.callbacks.allLogs();
        EXPECT_EQ(imagecheck::placementMismatches(lib.folder + "/media/dvd.iso"), std::vector<std::string>{});
        EXPECT_EQ(lib.discInfo(device).contentCount, 1);
        clean = imagetest::tempDir("verify") + "/clean.iso";
        std::filesystem::copy_file(lib.folder + "/media/dvd.iso", clean);
    }
    const auto firstSector = [&](const char *file) { return *imagecheck::UdfImage(clean).firstSector(file); };
    const uint32_t vob = firstSector("/VIDEO_TS/VTS_01_1.VOB");
    const std::pair<uint32_t, std::string> faults[] = {
        {vob + 3, "in /VIDEO_TS/VTS_01_1.VOB at byte offset 6144"},
        {vob, "in /VIDEO_TS/VTS_01_1.VOB at byte offset 0"},
        {firstSector("/Extras/Bücher/Liesmich.txt"), "in /Extras/Bücher/Liesmich.txt at byte offset 0"},
        {16, "in the file-system structures"},  // the ISO 9660 volume descriptor
        {256, "in the file-system structures"}, // the UDF anchor
    };
    for (const auto &[sector, named] : faults) {
        SCOPED_TRACE(named);
        LoadedReclib lib(std::string(DvdWriter) + "fault = corrupt-sector " + std::to_string(sector) + "\n");
        IsoTrack *track = sampleTrack(lib, "dvd-with-menus", false, flags);
        RecDeviceHandle device = lib.open("DVD");
        EXPECT_EQ(lib.burn(device, track, ProgramBurnFlags | BURN_FLAG_VERIFY), BURN_FAILED);
        const std::string where = "at sector " + std::to_string(sector) + " " + named;
        EXPECT_TRUE(lib.callbacks.loggedContaining(where)) << lib.callbacks.allLogs();
        EXPECT_TRUE(lib.errorLogged(where)) << lib.errorLog();
        EXPECT_TRUE(lib.callbacks.phaseSeen("Verifying the written data"));
        // A disc that failed verify is not passed off as a finished one.
        EXPECT_FALSE(exists(lib.folder + "/media/dvd.iso"));
        EXPECT_EQ(lib.discInfo(device).contentCount, 0);
    }
}
