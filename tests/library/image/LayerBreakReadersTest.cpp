// The layer-break planner's candidates on built images of the dvd-chapters
// sample, with and without reallocation, against libdvdread's reading of the
// same image: each candidate is the first sector of a cell of the main title.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "dvdvideo/LayerBreak.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/dvd_udf.h>
#include <dvdread/ifo_read.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace imagetest;

namespace {

// libdvdread's absolute first sectors of the cells of title set 2's first
// program chain.
std::vector<uint64_t> libdvdreadCellStarts(const std::string &image)
{
    std::vector<uint64_t> starts;
    dvd_reader_t *dvd = DVDOpen(image.c_str());
    if (!dvd)
        return starts;
    uint32_t size = 0;
    const uint32_t vob = UDFFindFile(dvd, "/VIDEO_TS/VTS_02_1.VOB", &size);
    if (ifo_handle_t *vts = ifoOpen(dvd, 2)) {
        const pgc_t *pgc = vts->vts_pgcit->pgci_srp[0].pgc;
        for (int c = 0; c < pgc->nr_of_cells; ++c)
            starts.push_back(uint64_t(vob) + pgc->cell_playback[c].first_sector);
        ifoClose(vts);
    }
    DVDClose(dvd);
    return starts;
}

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
        EXPECT_EQ(sectors, libdvdreadCellStarts(b.image));
        EXPECT_EQ(sectors.size(), 5u);
    }
}

} // namespace
