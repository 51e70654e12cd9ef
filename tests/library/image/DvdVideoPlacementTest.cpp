// Where the DVD-Video files land in the image, for every sample, with and
// without reallocation, and what happens when the IFO files are damaged.

#include "DvdVideoLayoutCheck.h"
#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace imagetest;
using namespace imagecheck;

namespace {

struct Built
{
    TrackPtr track;
    std::string image;
    std::string error;
};

Built build(const std::string &folder, uint32_t flags)
{
    auto tree = IsoItemTree::fromDvdFolder(folder);
    Built b{TrackPtr(CreateIsoImageTrack(tree->root(), "PLACEMENT", flags)),
            tempDir("placement") + "/disc.iso",
            {}};
    b.error = writeImage(b.track.get(), b.image);
    return b;
}

void patchBe32(const std::string &file, long offset, uint32_t value)
{
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(offset);
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    f.write(bytes, 4);
}

class PlacementTest : public testing::TestWithParam<std::tuple<const char *, uint32_t>>
{
};

TEST_P(PlacementTest, EveryFileStartsWhereTheImagesIfoSays)
{
    const auto [sample, flags] = GetParam();
    const Built b = build(samplePath(sample), flags);
    ASSERT_EQ(b.error, "");
    EXPECT_EQ(b.track->vtbl->placementWarning(b.track.get()), nullptr);
    EXPECT_EQ(b.track->vtbl->reallocFailed(b.track.get()), 0);
    EXPECT_EQ(placementMismatches(b.image), std::vector<std::string>{});
    if (flags & ISO_TRACK_REALLOC) {
        EXPECT_EQ(sharedBlocks(b.image), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, PlacementTest,
                         testing::Combine(testing::Values("dvd-menuless", "dvd-with-menus"),
                                          testing::Values(kBridge, kBridge | ISO_TRACK_REALLOC,
                                                          kBridge | ISO_TRACK_JOLIET | ISO_TRACK_REALLOC)));

TEST(PlacementTest, MenulessSampleKeepsTheGapItsIfoReserves)
{
    // dvdauthor's menu-less VIDEO_TS.IFO puts the VMG's last sector at 31
    // and title set 1 at sector 32: 26 zero sectors follow the 3-sector IFO.
    const Built b = build(samplePath("dvd-menuless"), kBridge);
    ASSERT_EQ(b.error, "");
    UdfImage udf(b.image);
    const uint32_t base = *udf.firstSector("/VIDEO_TS/VIDEO_TS.IFO");
    EXPECT_EQ(*udf.firstSector("/VIDEO_TS/VIDEO_TS.BUP"), base + 29);
    EXPECT_EQ(*udf.firstSector("/VIDEO_TS/VTS_01_0.IFO"), base + 32);
    const auto bytes = readFile(b.image);
    for (uint32_t sector = base + 3; sector < base + 29; ++sector)
        for (uint32_t i = 0; i < SECTOR_SIZE; ++i)
            ASSERT_EQ(bytes[size_t(sector) * SECTOR_SIZE + i], 0) << "gap sector " << sector;
}

TEST(PlacementTest, ReallocationCorrectsTheImagesIfoAndLeavesTheSourceAlone)
{
    const std::string folder = tempDir("realloc-source") + "/disc";
    copyFolder(samplePath("dvd-menuless"), folder);
    const auto ifoBefore = readFile(folder + "/VIDEO_TS/VIDEO_TS.IFO");
    const auto bupBefore = readFile(folder + "/VIDEO_TS/VIDEO_TS.BUP");
    const Built b = build(folder, kBridge | ISO_TRACK_REALLOC);
    ASSERT_EQ(b.error, "");
    EXPECT_EQ(readFile(folder + "/VIDEO_TS/VIDEO_TS.IFO"), ifoBefore);
    EXPECT_EQ(readFile(folder + "/VIDEO_TS/VIDEO_TS.BUP"), bupBefore);
    UdfImage udf(b.image);
    const auto imageIfo = *udf.read("/VIDEO_TS/VIDEO_TS.IFO");
    ASSERT_EQ(imageIfo.size(), ifoBefore.size());
    EXPECT_NE(imageIfo, ifoBefore) << "the packed layout needs other addresses than the source declares";
    // Packed: the BUP no longer sits 26 sectors after the IFO.
    const uint32_t base = *udf.firstSector("/VIDEO_TS/VIDEO_TS.IFO");
    EXPECT_LT(*udf.firstSector("/VIDEO_TS/VTS_01_0.IFO"), base + 32);
    EXPECT_EQ(placementMismatches(b.image), std::vector<std::string>{});
    EXPECT_EQ(*udf.read("/VIDEO_TS/VIDEO_TS.BUP"), imageIfo) << "the BUP copy carries the same corrections";
}

TEST(PlacementTest, DamagedIfoIsARecordedReallocationFailure)
{
    const std::string folder = tempDir("realloc-damaged") + "/disc";
    copyFolder(samplePath("dvd-with-menus"), folder);
    patchBe32(folder + "/VIDEO_TS/VIDEO_TS.IFO", 0xC4, 0x7FFF); // title table far outside the file
    const Built b = build(folder, kBridge | ISO_TRACK_REALLOC);
    ASSERT_TRUE(b.track);
    EXPECT_EQ(b.track->vtbl->reallocFailed(b.track.get()), 1);
    EXPECT_EQ(b.track->vtbl->layoutError(b.track.get()), nullptr) << "the track itself is still usable";
    EXPECT_EQ(b.error, "");
    UdfImage udf(b.image);
    EXPECT_EQ(*udf.read("/VIDEO_TS/VIDEO_TS.IFO"), readFile(folder + "/VIDEO_TS/VIDEO_TS.IFO"))
        << "nothing is corrected when the structure is not understood";
}

TEST(PlacementTest, DamagedIfoWithoutReallocationPacksAndWarns)
{
    const std::string folder = tempDir("placement-damaged") + "/disc";
    copyFolder(samplePath("dvd-with-menus"), folder);
    patchBe32(folder + "/VIDEO_TS/VIDEO_TS.IFO", 0xC4, 0x7FFF);
    const Built b = build(folder, kBridge);
    ASSERT_EQ(b.error, "");
    EXPECT_EQ(b.track->vtbl->reallocFailed(b.track.get()), 0);
    const char *warning = b.track->vtbl->placementWarning(b.track.get());
    ASSERT_NE(warning, nullptr);
    EXPECT_NE(std::string(warning).find("standalone players"), std::string::npos) << warning;
    UdfImage udf(b.image);
    for (const std::string &relative : filesBelow(folder))
        EXPECT_EQ(*udf.read("/" + relative), readFile(folder + "/" + relative)) << relative;
}

TEST(PlacementTest, IfoDeclaringTooLittleRoomPacksAndWarns)
{
    const std::string folder = tempDir("placement-small") + "/disc";
    copyFolder(samplePath("dvd-menuless"), folder);
    patchBe32(folder + "/VIDEO_TS/VIDEO_TS.IFO", 0x0C, 3); // the VMG set "ends" inside its BUP
    const Built b = build(folder, kBridge);
    ASSERT_EQ(b.error, "");
    EXPECT_NE(b.track->vtbl->placementWarning(b.track.get()), nullptr);
    UdfImage udf(b.image);
    const uint32_t base = *udf.firstSector("/VIDEO_TS/VIDEO_TS.IFO");
    EXPECT_GT(*udf.firstSector("/VIDEO_TS/VIDEO_TS.BUP"), base + 2) << "the BUP never overlaps the IFO";
    EXPECT_FALSE(placementMismatches(b.image).empty())
        << "the check notices a BUP that cannot end where the IFO says";
}

} // namespace

namespace {

int imageCheck(const std::string &image)
{
    return run(std::string(ORVANE_TEST_PROGRAM_DIR) + "/orvane-imagecheck '" + image + "'").exitCode;
}

TEST(ImageCheckToolTest, PassesAGoodImageAndFailsAMisplacedOne)
{
    const Built good = build(samplePath("dvd-with-menus"), kBridge | ISO_TRACK_JOLIET);
    ASSERT_EQ(good.error, "");
    EXPECT_EQ(imageCheck(good.image), 0);

    const std::string folder = tempDir("imagecheck-bad") + "/disc";
    copyFolder(samplePath("dvd-menuless"), folder);
    patchBe32(folder + "/VIDEO_TS/VIDEO_TS.IFO", 0x0C, 3);
    const Built bad = build(folder, kBridge);
    ASSERT_EQ(bad.error, "");
    EXPECT_EQ(imageCheck(bad.image), 1);
    EXPECT_EQ(imageCheck(folder + "/VIDEO_TS/VIDEO_TS.IFO"), 1) << "not an image at all";
}

} // namespace
