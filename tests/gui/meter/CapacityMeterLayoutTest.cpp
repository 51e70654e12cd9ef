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

std::vector<Bar> BarsOf(const meter::Layout &layout)
{
    std::vector<Bar> bars;
    for (const Step &step : layout.steps) {
        if (step.kind == Step::Kind::Bar)
            bars.push_back({step.sourceColumn, step.x, step.endX});
    }
    return bars;
}

std::vector<Label> LabelsOf(const meter::Layout &layout)
{
    std::vector<Label> labels;
    for (const Step &step : layout.steps) {
        if (step.kind == Step::Kind::Label)
            labels.push_back({step.text, step.at});
    }
    return labels;
}

TEST(CapacityMeterLayoutTest, DvdSizeBetweenTheLimits)
{
    const meter::Layout layout = meter::LayOut(400, 4482, 8106, 4600);
    EXPECT_EQ(layout.scaleLength, 340);
    EXPECT_EQ(layout.fullScale, 8106);
    EXPECT_EQ(layout.yellowMark, 203);
    EXPECT_FALSE(layout.redMark);
    EXPECT_EQ(layout.sizeMark, 208);
    EXPECT_EQ(BarsOf(layout), (std::vector<Bar>{{meter::GreenBar, 15, 203}, {meter::YellowBar, 203, 208}}));
    EXPECT_EQ(LabelsOf(layout),
              (std::vector<Label>{{"4482MB", {183, 37}}, {"0MB", {8, 37}}, {"4600MB", {210, 20}}}));
}

TEST(CapacityMeterLayoutTest, CdSizeBeyondTheRedLimit)
{
    const meter::Layout layout = meter::LayOut(400, 650, 700, 800);
    EXPECT_EQ(layout.fullScale, 800);
    EXPECT_EQ(layout.yellowMark, 291);
    EXPECT_EQ(layout.redMark, 313);
    EXPECT_EQ(layout.sizeMark, 355);
    EXPECT_EQ(BarsOf(layout),
              (std::vector<Bar>{
                  {meter::GreenBar, 15, 291}, {meter::YellowBar, 291, 313}, {meter::RedBar, 313, 355}}));
    EXPECT_EQ(LabelsOf(layout),
              (std::vector<Label>{
                  {"650MB", {271, 2}}, {"700MB", {293, 37}}, {"0MB", {8, 37}}, {"800MB", {357, 20}}}));
}

TEST(CapacityMeterLayoutTest, EdgeCases)
{
    // At the red limit the size is not beyond it: no red mark, the bar runs
    // to the end of the scale.
    const meter::Layout atRed = meter::LayOut(400, 650, 700, 700);
    EXPECT_FALSE(atRed.redMark);
    EXPECT_EQ(atRed.sizeMark, 400 - 45);

    const meter::Layout belowYellow = meter::LayOut(400, 650, 700, 100);
    EXPECT_EQ(BarsOf(belowYellow), (std::vector<Bar>{{meter::GreenBar, 15, 15 + 49}}));
    EXPECT_EQ(LabelsOf(belowYellow).size(), 2u); // only 0MB and the size

    for (int size : {0, -1})
        EXPECT_TRUE(meter::LayOut(400, 650, 700, size).steps.empty()) << size;

    // Limits in the wrong order and sizes beyond any disc: no crash, nothing
    // out of range.
    const meter::Layout crossed = meter::LayOut(400, 900, 700, 800);
    EXPECT_EQ(crossed.yellowMark, 398); // beyond the size mark: green only
    EXPECT_EQ(BarsOf(crossed), (std::vector<Bar>{{meter::GreenBar, 15, 355}}));
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
