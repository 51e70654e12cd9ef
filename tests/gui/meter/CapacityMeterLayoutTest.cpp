// Positions of the meter's marks, bars and labels.
#include "support/TestEnvironment.h"

#include "controls/CapacityMeterLayout.h"

#include <gtest/gtest.h>

namespace {

using meter::Step;

struct Bar
{
    int column, x, endX;
    bool operator==(const Bar &) const = default;
};
struct Label
{
    QString text;
    QPoint at;
    bool operator==(const Label &) const = default;
};

TEST(CapacityMeterLayoutTest, BarsAndLabelsForTheLimitsAndTheSize)
{
    struct Case
    {
        const char *what;
        int megabytes[3]; // the yellow and red limits, the size
        std::vector<Bar> bars;
        std::vector<Label> labels;
    };
    using meter::GreenBar, meter::YellowBar, meter::RedBar;
    const Case cases[] = {
        {"DVD between the limits",
         {4482, 8106, 4600},
         {{GreenBar, 15, 203}, {YellowBar, 203, 208}},
         {{"4482MB", {183, 37}}, {"0MB", {8, 37}}, {"4600MB", {210, 20}}}},
        {"CD beyond the red limit",
         {650, 700, 800},
         {{GreenBar, 15, 291}, {YellowBar, 291, 313}, {RedBar, 313, 355}},
         {{"650MB", {271, 2}}, {"700MB", {293, 37}}, {"0MB", {8, 37}}, {"800MB", {357, 20}}}},
        // At the red limit the size is not beyond it: no red bar.
        {"at the red limit",
         {650, 700, 700},
         {{GreenBar, 15, 331}, {YellowBar, 331, 355}},
         {{"650MB", {311, 37}}, {"0MB", {8, 37}}, {"700MB", {357, 20}}}},
        {"below the yellow limit",
         {650, 700, 100},
         {{GreenBar, 15, 64}},
         {{"0MB", {8, 37}}, {"100MB", {66, 20}}}},
        // Limits in the wrong order: the yellow mark lies beyond the size.
        {"crossed limits", {900, 700, 800}, {{GreenBar, 15, 355}}, {{"0MB", {8, 37}}, {"800MB", {357, 20}}}},
    };
    for (const Case &c : cases) {
        const meter::Layout layout = meter::LayOut(400, c.megabytes[0], c.megabytes[1], c.megabytes[2]);
        std::vector<Bar> bars;
        std::vector<Label> labels;
        for (const Step &step : layout.steps) {
            if (step.kind == Step::Kind::Bar)
                bars.push_back({step.sourceColumn, step.x, step.endX});
            else
                labels.push_back({step.text, step.at});
        }
        EXPECT_EQ(bars, c.bars) << c.what;
        EXPECT_EQ(labels, c.labels) << c.what;
    }
}

TEST(CapacityMeterLayoutTest, RedMarkOnlyBeyondTheRedLimitNoSizeNoStepsHugeNumbersOnTheScale)
{
    EXPECT_FALSE(meter::LayOut(400, 650, 700, 700).redMark) << "at the red limit";
    EXPECT_EQ(meter::LayOut(400, 650, 700, 800).redMark, 313);
    for (int size : {0, -1})
        EXPECT_TRUE(meter::LayOut(400, 650, 700, size).steps.empty()) << size;
    const meter::Layout huge = meter::LayOut(400, 2147483000, 2147483600, 2147483647);
    EXPECT_EQ(huge.sizeMark, 355);
    EXPECT_EQ(huge.redMark, 355);
}

TEST(CapacityMeterLayoutTest, RulerCoversTheWholeWidth)
{
    const meter::Layout layout = meter::LayOut(400, 0, 0, 0);
    ASSERT_EQ(layout.ruler.size(), 15u + 20u + 2u);
    EXPECT_EQ(layout.ruler[15].x, 15);
    EXPECT_EQ(layout.ruler[34].x, 395);
    EXPECT_EQ(layout.ruler.back().x, 398);
    EXPECT_EQ(layout.ruler.back().sourceColumn, meter::RightEdge);
}

} // namespace
