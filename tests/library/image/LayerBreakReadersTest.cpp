// The layer-break planner's candidates on built images of the dvd-chapters
// sample, with and without reallocation, against libdvdread's reading of the
// same image: each candidate is the first sector of a cell of the main title.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "dvdvideo/LayerBreak.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace imagetest;

namespace {

TEST(LayerBreakReadersTest, CandidatesAreTheCellStartsLibdvdreadReads)
{
    for (const uint32_t flags : {kBridge, kBridge | ISO_TRACK_REALLOC}) {
        SCOPED_TRACE(flags);
        const auto tree = IsoItemTree::fromDvdFolder(samplePath("dvd-chapters"));
        const Built b = build(*tree, "LAYERS", flags);
        ASSERT_EQ(b.error, "");
        std::map<std::string, ListedEntry> listed;
        for (const auto &e : isoinfoListing(b.image, false))
            listed[e.name] = e;
        UdfImage udf(b.image);
        ASSERT_TRUE(udf.isOpen());

        dvdvideo::LayerBreakInput in;
        in.vmgIfo = *udf.read("/VIDEO_TS/VIDEO_TS.IFO");
        for (const int set : {1, 2}) {
            const std::string name = "VTS_0" + std::to_string(set);
            in.sets.push_back({set, listed[name + "_0.IFO;1"].extent,
                               *udf.read("/VIDEO_TS/" + name + "_0.IFO"),
                               listed[name + "_1.VOB;1"].size / 2048});
        }
        in.totalSectors = std::filesystem::file_size(b.image) / 2048;
        in.layer0Limit = in.totalSectors - 1;
        const auto plan = dvdvideo::PlanLayerBreak(in);

        std::vector<uint64_t> sectors;
        for (const auto &c : plan.candidates)
            sectors.push_back(c.sector);
        EXPECT_EQ(sectors, cellStarts(b.image, 2));
        EXPECT_EQ(sectors.size(), 5u);
    }
}

} // namespace
