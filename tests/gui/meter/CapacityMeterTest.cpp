// The capacity meter: where its marks, bars and labels go, and that its
// bars reach the picture.
#include "controls/CCapacityMeter.h"
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
        {"no size", {650, 700, 0}, {}, {}},
        {"a negative size", {650, 700, -1}, {}, {}},
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
    const meter::Layout huge = meter::LayOut(400, 2147483000, 2147483600, 2147483647);
    EXPECT_EQ(huge.sizeMark, 355) << "no overflow on the scale";
    EXPECT_EQ(huge.redMark, 355);
}

TEST(CapacityMeterPixelsTest, TheBarsOfACdBeyondItsRedLimitReachThePicture)
{
    QWidget owner;
    owner.resize(430, 200);
    CCapacityMeter meter(&owner);
    meter.move(15, 100);
    meter.SetOwner(&owner);
    EXPECT_EQ(meter.LoadScale(9999), 1) << "no such bitmap";
    EXPECT_TRUE(meter.Picture().isNull());
    meter.grab(); // paints without a picture
    meter.move(300, 100);
    EXPECT_EQ(meter.LoadScale(5010), 1) << "the band would end before it starts";
    meter.move(15, 100);
    ASSERT_EQ(meter.LoadScale(5010), 0);
    EXPECT_EQ(meter.size(), QSize(400, 50)) << "the control takes the whole band";

    meter.SetYellowLimit(650);
    meter.SetRedLimit(700);
    meter.SetSize(800);
    const QImage picture = meter.Picture().convertToFormat(QImage::Format_RGB32);
    const QRgb Red = qRgb(255, 57, 11);
    // Each bar's first and last column, and the ruler beyond the size.
    const std::pair<int, QRgb> columns[] = {
        {15, qRgb(11, 255, 11)},
        {290, qRgb(11, 255, 11)},
        {291, qRgb(255, 223, 11)},
        {312, qRgb(255, 223, 11)},
        {313, Red},
        {354, Red},
        {355, qRgb(0, 0, 0)},
    };
    for (const auto &[x, colour] : columns)
        EXPECT_EQ(picture.pixel(x, 20), colour) << x;
    EXPECT_EQ(meter.grab().toImage().convertToFormat(QImage::Format_RGB32), picture) << "painting copies it";

    meter.SetSize(0);
    EXPECT_EQ(meter.Picture().pixel(100, 20), qRgb(255, 255, 255)) << "clearing leaves the bare ruler";
    meter.SetSize(800); // the limits went with the clear: everything beyond 0
    EXPECT_EQ(meter.Picture().pixel(100, 20), Red);
}

} // namespace
