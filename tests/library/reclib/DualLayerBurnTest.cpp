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

} // namespace
