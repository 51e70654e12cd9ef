// Where the DVD-Video files land in the image when the IFO files reserve
// gaps, when reallocation packs them, and when the IFO files are damaged.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace imagetest;
using namespace imagecheck;

namespace {

Built buildFolder(const std::string &folder, uint32_t flags)
{
    return build(*IsoItemTree::fromDvdFolder(folder), "PLACEMENT", flags);
}

TEST(PlacementTest, ReallocationCorrectsTheImagesIfoAndLeavesTheSourceAlone)
{
    const std::string folder = tempDir("realloc-source") + "/disc";
    copyFolder(samplePath("dvd-menuless"), folder);
    const auto ifoBefore = readFile(folder + "/VIDEO_TS/VIDEO_TS.IFO");
    const auto bupBefore = readFile(folder + "/VIDEO_TS/VIDEO_TS.BUP");
    const Built b = buildFolder(folder, kBridge | ISO_TRACK_REALLOC);
    ASSERT_EQ(b.error, "");
    EXPECT_EQ(readFile(folder + "/VIDEO_TS/VIDEO_TS.IFO"), ifoBefore);
    EXPECT_EQ(readFile(folder + "/VIDEO_TS/VIDEO_TS.BUP"), bupBefore);
    UdfImage udf(b.image);
    const auto imageIfo = *udf.read("/VIDEO_TS/VIDEO_TS.IFO");
    ASSERT_EQ(imageIfo.size(), ifoBefore.size());
    EXPECT_NE(imageIfo, ifoBefore) << "the packed layout needs other addresses than the source declares";
    const uint32_t base = *udf.firstSector("/VIDEO_TS/VIDEO_TS.IFO");
    EXPECT_LT(*udf.firstSector("/VIDEO_TS/VTS_01_0.IFO"), base + 32) << "packed, the gap is gone";
    EXPECT_EQ(*udf.read("/VIDEO_TS/VIDEO_TS.BUP"), imageIfo) << "the BUP copy carries the same corrections";
    // The checker the end-to-end runs use passes the image and fails a file
    // that is no image at all.
    const auto imageCheck = [](const std::string &path) {
        return run(std::string(ORVANE_TEST_PROGRAM_DIR) + "/orvane-imagecheck '" + path + "'").exitCode;
    };
    EXPECT_EQ(imageCheck(b.image), 0);
    EXPECT_EQ(imageCheck(folder + "/VIDEO_TS/VIDEO_TS.IFO"), 1);
}

TEST(PlacementTest, DamagedIfoIsCopiedAsItIsWithAFailureOrAWarning)
{
    // The title table lies far outside the file: nothing is corrected when
    // the structure is not understood, and the track stays usable.
    const std::string folder = tempDir("damaged") + "/disc";
    copyFolder(samplePath("dvd-with-menus"), folder);
    std::fstream(folder + "/VIDEO_TS/VIDEO_TS.IFO", std::ios::in | std::ios::out | std::ios::binary)
        .seekp(0xC4)
        .write("\0\0\x7F\xFF", 4);
    for (const bool realloc : {true, false}) {
        SCOPED_TRACE(realloc ? "reallocating" : "placing");
        const Built b = buildFolder(folder, kBridge | (realloc ? ISO_TRACK_REALLOC : 0));
        ASSERT_EQ(b.error, "");
        EXPECT_EQ(b.track->vtbl->reallocFailed(b.track.get()), realloc ? 1 : 0);
        const char *warning = b.track->vtbl->placementWarning(b.track.get());
        if (!realloc) {
            ASSERT_NE(warning, nullptr);
            EXPECT_NE(std::string(warning).find("standalone players"), std::string::npos) << warning;
        }
        UdfImage udf(b.image);
        for (const std::string &relative : filesBelow(folder))
            EXPECT_EQ(*udf.read("/" + relative), readFile(folder + "/" + relative)) << relative;
    }
}

} // namespace
