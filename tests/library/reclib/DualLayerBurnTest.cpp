// Burns onto virtual dual-layer discs: the break the library plans for a
// DVD-Video image lands on a cell start of the main title (libdvdread's
// reading of the written disc) and on a 16-sector boundary, the state keeps
// it and verify checks it; without a cell start that fits, the log says
// where the break falls.
#include "DvdVideoLayoutCheck.h"
#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

int64_t recordedBreak(const std::string &statePath)
{
    std::ifstream in(statePath);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("layer-break = ", 0) == 0)
            return std::stoll(line.substr(14));
    return -1;
}

TEST(ReclibDualLayer, TheBreakLandsOnACellStartOrTheLogSaysWhereItFalls)
{
    const struct
    {
        const char *label;
        const char *sample;
        uint32_t flags;
        const char *capacity; // of the DVD+R DL; half of it is the largest layer 0
        bool onCell;
        const char *logged;
    } cases[] = {
        {"cell start", "dvd-chapters", imagetest::kBridge, "720", true, "Layer break at sector "},
        {"cell start, reallocated", "dvd-chapters", imagetest::kBridge | ISO_TRACK_REALLOC, "720", true,
         "zero sectors put before title set 2"},
        {"no cell start within layer 0's limit", "dvd-menuless", imagetest::kBridge, "600", false,
         "outside the film"},
        {"fits on layer 0", "dvd-chapters", imagetest::kBridge, "4173824", false, "no layer break"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        LoadedReclib lib(std::string("[dl]\nmedium = DVD+R DL blank\nfile = media/dl.iso\nspeeds = 2.4x 8x\n"
                                     "capacity = ") +
                         c.capacity + "\n");
        RecDeviceHandle device = lib.open("dl", MEDIA_SET_DVD);
        const auto tree = imagetest::IsoItemTree::fromDvdFolder(imagetest::samplePath(c.sample));
        IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "DUAL", c.flags);
        ASSERT_NE(track, nullptr);
        ASSERT_EQ(lib.burn(device, track, ProgramBurnFlags | BURN_FLAG_VERIFY), BURN_OK)
            << lib.callbacks.allLogs();
        EXPECT_TRUE(lib.callbacks.loggedContaining(c.logged)) << lib.callbacks.allLogs();
        const std::string medium = lib.folder + "/media/dl.iso";
        const int64_t layerBreak = recordedBreak(medium + ".state");
        const int64_t image = int64_t(std::filesystem::file_size(medium) / SECTOR_SIZE);
        if (std::string(c.capacity) == "4173824") {
            EXPECT_EQ(layerBreak, 0);
            continue;
        }
        EXPECT_EQ(imagecheck::placementMismatches(medium), std::vector<std::string>{});
        EXPECT_EQ(layerBreak % 16, 0);
        EXPECT_GE(2 * layerBreak, image);
        const auto cells = imagetest::cellStarts(medium, std::string(c.sample) == "dvd-chapters" ? 2 : 1);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(std::ranges::count(cells, uint64_t(layerBreak)), c.onCell ? 1 : 0) << layerBreak;
    }
}

// dvd-menuless with its one cell stretched over a sparse VOB of `sectors`:
// the middle of the image falls inside it.
std::string stretchedSingleCell(const std::string &folder, uint32_t sectors)
{
    imagetest::copyFolder(imagetest::samplePath("dvd-menuless"), folder);
    std::filesystem::resize_file(folder + "/VIDEO_TS/VTS_01_1.VOB", uint64_t(sectors) * SECTOR_SIZE);
    for (const char *name : {"VTS_01_0.IFO", "VTS_01_0.BUP"}) {
        const std::string path = folder + "/VIDEO_TS/" + name;
        std::vector<uint8_t> ifo = imagetest::readFile(path);
        const auto at = [&](size_t offset) {
            return uint32_t(ifo[offset] << 24 | ifo[offset + 1] << 16 | ifo[offset + 2] << 8 |
                            ifo[offset + 3]);
        };
        const auto put = [&](size_t offset, uint32_t value) {
            for (int i = 0; i < 4; ++i)
                ifo[offset + size_t(i)] = uint8_t(value >> (24 - 8 * i));
        };
        const size_t pgci = size_t(at(0xCC)) * 2048;
        const size_t pgc = pgci + at(pgci + 12);
        const size_t cell = pgc + (ifo[pgc + 0xE8] << 8 | ifo[pgc + 0xE9]);
        put(cell + 20, sectors - 1);                    // last VOBU end
        put(size_t(at(0xE0)) * 2048 + 16, sectors - 1); // cell address table: last sector
        put(0x0C, at(0xC4) + sectors + at(0x1C));       // the set's last sector
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(ifo.data()), std::streamsize(ifo.size()));
    }
    return folder;
}

// No cell start fits: the program is asked, and no stops the burn.
TEST(ReclibDualLayer, ABreakInsideASceneIsAskedAboutAndNoStopsTheBurn)
{
    for (const int answer : {0, 5}) {
        SCOPED_TRACE(answer);
        LoadedReclib lib(
            "[dl]\nmedium = DVD+R DL blank\nfile = media/dl.iso\nspeeds = 2.4x 8x\ncapacity = 4000\n");
        std::string warning;
        lib.callbacks.answerDialog = [&](int type, void *data) {
            if (type == DLG_LAYER_BREAK_MID_SCENE)
                warning = static_cast<const char *>(data);
            return answer;
        };
        const auto tree =
            imagetest::IsoItemTree::fromDvdFolder(stretchedSingleCell(lib.folder + "/film", 3000));
        IsoTrack *track = lib.api.NeroCreateIsoTrackEx(tree->root(), "DUAL", imagetest::kBridge);
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(lib.burn(lib.open("dl", MEDIA_SET_DVD), track, ProgramBurnFlags),
                  answer ? BURN_OK : BURN_USER_ABORT)
            << lib.callbacks.allLogs();
        EXPECT_NE(
            warning.find("The break falls inside title 1 chapter 1, 0:00:01: a player will pause mid-scene"),
            std::string::npos)
            << warning;
        EXPECT_EQ(recordedBreak(lib.folder + "/media/dl.iso.state"), answer ? 1664 : -1);
    }
}

} // namespace
