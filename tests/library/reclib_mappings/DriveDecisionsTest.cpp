// The real-drive decisions that need no drive: erase estimates per medium
// and method, capacity, blanking speed, the overwrite question, the book
// type and the erase failure text, table by table.
#include "recorders/DriveDecisions.h"
#include "recorders/DriveEraseEstimate.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace reclib;

namespace {

// Medium, method, capacity in sectors and blanking speed the drive reports
// (0: none), and the seconds shown.
const std::tuple<MediumKind, EraseMethod, int64_t, int, int> kErases[] = {
    {MediumKind::DvdMinusRw, EraseMethod::BlankFast, 0, 0, 79},          // 64 MiB at 1x + 30 s
    {MediumKind::DvdMinusRw, EraseMethod::BlankFast, 2298496, 2770, 55}, // the drive blanks at 2x
    {MediumKind::DvdMinusRw, EraseMethod::BlankFull, 0, 0, 3429},        // nominal 4.7 GB at 1x
    {MediumKind::DvdMinusRw, EraseMethod::BlankFull, 0, 2770, 1730},
    {MediumKind::DvdMinusRw, EraseMethod::BlankFull, 1000000, 1385, 1509}, // the size the drive reports
    {MediumKind::DvdMinusRw, EraseMethod::Format, 0, 0, 3429},
    {MediumKind::DvdPlusRw, EraseMethod::Format, 0, 0, 1445}, // 4.7 GB at 2.4x
    {MediumKind::DvdPlusRw, EraseMethod::Format, 0, 11080, 455},
    {MediumKind::CdRw, EraseMethod::BlankFast, 0, 0, 45},
    {MediumKind::CdRw, EraseMethod::BlankFull, 0, 0, 1229}, // 80 minutes of 2352-byte sectors at 4x
    {MediumKind::CdRw, EraseMethod::BlankFull, 0, 1764, 510},
    {MediumKind::DvdPlusRw, EraseMethod::BlankFast, 0, 0, -1}, // DVD+RW is only ever formatted
    {MediumKind::DvdMinusR, EraseMethod::BlankFull, 0, 0, -1},
    {MediumKind::CdR, EraseMethod::BlankFast, 0, 0, -1},
};

TEST(DriveEraseEstimate, EachMediumAndMethodHasItsOwnFigure)
{
    for (const auto &[medium, method, capacity, speed, seconds] : kErases)
        EXPECT_EQ(driveEraseSeconds(medium, method, capacity, speed), seconds)
            << traitsOf(medium).name << " method " << int(method) << " speed " << speed;
}

// Medium, blank, bytes the drive reports free, and the sectors a burn can use.
const std::tuple<MediumKind, bool, int64_t, int64_t> kCapacities[] = {
    {MediumKind::DvdPlusR, true, 4700372992, 2295104},
    {MediumKind::DvdMinusRw, true, 4707319808, 2298496},
    {MediumKind::DvdMinusRw, false, 0, 2298496}, // written sequential DVD-RW: erased for the burn
    {MediumKind::CdRw, false, 0, 359846},
    {MediumKind::DvdPlusRw, true, 4700372992, 2295104},
    {MediumKind::DvdMinusR, false, 0, 0}, // closed write-once disc: nothing free
    {MediumKind::CdR, false, 0, 0},
    {MediumKind::DvdPlusR, false, 1000 * 2048 + 100, 1000}, // appendable: what is free, whole sectors
};

TEST(DriveDecisions, CapacityIsWhatABurnCanUse)
{
    for (const auto &[kind, blank, availableBytes, sectors] : kCapacities)
        EXPECT_EQ(driveCapacitySectors(kind, blank, availableBytes), sectors)
            << traitsOf(kind).name << (blank ? " blank" : " written");
}

TEST(DriveDecisions, BlankingSpeedIsTheFastestReportedForTheLoadedDisc)
{
    const std::vector<ReportedSpeed> speeds = {{0x14, 2770}, {0x14, 1385}, {0x1b, 22160}, {0x00, 33240}};
    EXPECT_EQ(blankingSpeedFor(speeds, 0x14), 2770);
    EXPECT_EQ(blankingSpeedFor(speeds, 0x1a), 0);
    EXPECT_EQ(blankingSpeedFor({}, 0x14), 0);
}

TEST(DriveDecisions, OnlyAWrittenRewritableDiscRaisesTheOverwriteQuestion)
{
    struct Case
    {
        bool blank, rewritable, check, ask;
    };
    for (const Case &c : {Case{false, true, true, true}, Case{true, true, true, false},
                          Case{false, false, true, false}, Case{false, true, false, false}})
        EXPECT_EQ(askBeforeOverwriting(c.blank, c.rewritable, c.check), c.ask)
            << c.blank << c.rewritable << c.check;
}

TEST(DriveDecisions, TheFirstEraseMessageOrADefault)
{
    EXPECT_EQ(eraseFailureText({}), "the recorder reported an erase failure");
    EXPECT_EQ(eraseFailureText({"Drive is not blank", "second"}), "Drive is not blank");
}

} // namespace
