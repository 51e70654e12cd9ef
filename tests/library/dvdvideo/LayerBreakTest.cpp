// The layer-break planner on the committed samples (made by ffmpeg and
// dvdauthor): dvd-chapters has a one-cell title 1 and a main title 2 of five
// cells (cell 1 plays non-seamlessly, cells 1-4 start chapters, cell 5
// starts none); dvd-menuless has one single-cell title.

#include "dvdvideo/LayerBreak.h"
#include "sysio/ByteOrder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <tuple>

using dvdvideo::BreakChoice;
using dvdvideo::LayerBreakInput;

namespace {

// Byte offsets in samples/dvd-chapters/VIDEO_TS/VTS_02_0.IFO.
constexpr size_t kCell5Category = 0x1170;
constexpr size_t kCell2AddressStart = 0x2018;

std::vector<uint8_t> ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A sample laid out as the image builder does without reallocation: every
// file where the IFOs say, VIDEO_TS.IFO at dvdStart.
LayerBreakInput Input(const std::string &sample, uint64_t dvdStart, uint64_t total, uint64_t limit)
{
    const std::string dir = ORVANE_TEST_SOURCE_DIR "/samples/" + sample + "/VIDEO_TS/";
    LayerBreakInput in;
    in.vmgIfo = ReadBytes(dir + "VIDEO_TS.IFO");
    in.totalSectors = total;
    in.layer0Limit = limit;
    const uint8_t *table = &in.vmgIfo[sysio::getBe32(&in.vmgIfo[0xC4]) * 2048];
    for (int t = 0; t < sysio::getBe16(table); ++t) {
        const uint8_t *entry = table + 8 + 12 * t;
        const std::string name = "VTS_0" + std::to_string(entry[6]);
        const uint64_t vob = std::filesystem::file_size(dir + name + "_1.VOB");
        in.sets.push_back(
            {entry[6], dvdStart + sysio::getBe32(entry + 8), ReadBytes(dir + name + "_0.IFO"), vob / 2048});
    }
    return in;
}

struct Case
{
    const char *label;
    const char *sample;
    uint64_t total;
    uint64_t limit;
    BreakChoice choice;
    int cell = 0;             // chosen cell; 0: none
    uint64_t breakSector = 0; // 0: none
    int chapter = 0;          // MidCell: where the break falls
    uint64_t timeMs = 0;
    std::function<void(LayerBreakInput &)> damage = {};
};

TEST(LayerBreakTest, ChoosesTheBestCellStartOrSaysWhyNot)
{
    // VIDEO_TS.IFO at 300: the main title's cells start at 368, 385, 404,
    // 432 and 449; aligned with padding 368, 400, 416, 432 and 464.
    constexpr uint64_t D = 300;
    const auto set2 = [](LayerBreakInput &in) -> std::vector<uint8_t> & { return in.sets[1].ifo; };
    const Case cases[] = {
        {"fits on layer 0", "dvd-chapters", 500, 600, BreakChoice::NotNeeded},
        {"non-seamless chapter start wins", "dvd-chapters", 700, 600, BreakChoice::NonSeamlessChapterStart, 1,
         368},
        {"chapter start nearest the middle, held by its padding", "dvd-chapters", 780, 600,
         BreakChoice::ChapterStart, 2, 400},
        {"non-seamless cell beats chapter starts", "dvd-chapters", 760, 600, BreakChoice::NonSeamless, 5, 464,
         0, 0, [&](LayerBreakInput &in) { set2(in)[kCell5Category] &= ~0x08; }},
        {"only the last cell holds half", "dvd-chapters", 880, 600, BreakChoice::NearestMiddle, 5, 464},
        {"layer 0 limit below every cell that holds half", "dvd-chapters", 880, 460, BreakChoice::MidCell, 0,
         448, 4, 4000 + 16 * 1200 / 17},
        {"single-cell title", "dvd-menuless", 700, 600, BreakChoice::MidCell, 0, 352, 1, 14 * 3000 / 158},
        {"middle after the film", "dvd-chapters", 1200, 1100, BreakChoice::OutsideFilm, 0, 608},
        {"layer 0 cannot hold half", "dvd-chapters", 2000, 900, BreakChoice::TooLarge},
        {"cell table disagrees", "dvd-chapters", 760, 600, BreakChoice::AddressesDisagree, 0, 384, 0, 0,
         [&](LayerBreakInput &in) { set2(in)[kCell2AddressStart + 3] += 1; }},
        {"cells past the VOB's end", "dvd-chapters", 760, 600, BreakChoice::AddressesDisagree, 0, 384, 0, 0,
         [](LayerBreakInput &in) { in.sets[1].titleVobSectors = 100; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        LayerBreakInput in = Input(c.sample, D, c.total, c.limit);
        if (c.damage)
            c.damage(in);
        const auto plan = dvdvideo::PlanLayerBreak(in);
        EXPECT_EQ(int(plan.choice), int(c.choice));
        EXPECT_EQ(plan.breakSector, c.breakSector);
        EXPECT_EQ(plan.breakSector % 16, 0u);
        if (plan.breakSector) {
            EXPECT_GE(2 * plan.breakSector, c.total + plan.padding) << "layer 0 holds half";
        }
        EXPECT_EQ(plan.chosen < 0 ? 0 : plan.candidates[size_t(plan.chosen)].cell, c.cell);
        if (plan.chosen >= 0) {
            const auto &chosen = plan.candidates[size_t(plan.chosen)];
            EXPECT_EQ(chosen.sector + plan.padding, plan.breakSector);
            EXPECT_LT(plan.padding, 16u);
        }
        if (c.choice == BreakChoice::MidCell) {
            EXPECT_EQ(plan.chapter, c.chapter);
            EXPECT_EQ(plan.timeMs, c.timeMs);
        }
    }
}

TEST(LayerBreakTest, ListsEveryCellOfTheMainTitle)
{
    const auto plan = dvdvideo::PlanLayerBreak(Input("dvd-chapters", 300, 760, 600));
    struct Row
    {
        int chapter;
        bool chapterStart, seamless;
        uint64_t timeMs, sector;
        uint32_t padding;
        bool fits;
    };
    const Row expected[] = {
        {1, true, false, 0, 368, 0, false},    {2, true, true, 1200, 385, 15, true},
        {3, true, true, 2400, 404, 12, true},  {4, true, true, 4000, 432, 0, true},
        {4, false, true, 5200, 449, 15, true},
    };
    ASSERT_EQ(plan.candidates.size(), std::size(expected));
    for (size_t i = 0; i < plan.candidates.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const auto &c = plan.candidates[i];
        const Row &e = expected[i];
        EXPECT_EQ(std::tie(c.title, c.cell, c.chapter, c.chapterStart, c.seamless, c.timeMs, c.sector,
                           c.padding, c.fits),
                  std::tuple(2, int(i + 1), e.chapter, e.chapterStart, e.seamless, e.timeMs, e.sector,
                             e.padding, e.fits));
    }
}

} // namespace
