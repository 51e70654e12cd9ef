// The capacity meter: where its marks, bars and labels go, and the picture
// the painter makes of them (the scale bitmap's ruler, the bar colours at
// the marks, the labels at their places).
#include "controls/CCapacityMeter.h"
#include "controls/CapacityMeterLayout.h"
#include "controls/CapacityMeterPainter.h"

#include <QFontMetrics>
#include <QPainter>
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

const QRgb Green = qRgb(11, 255, 11);
const QRgb Yellow = qRgb(255, 223, 11);
const QRgb Red = qRgb(255, 57, 11);
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

// The label must appear exactly as drawn alone, at its place.
void ExpectLabel(const QImage &picture, const QString &text, QPoint at)
{
    const QFontMetrics metrics(meter::LabelFont());
    QImage alone(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    alone.fill(Qt::magenta);
    QPainter painter(&alone);
    meter::DrawLabel(painter, text, QPoint(0, 0));
    painter.end();
    ASSERT_TRUE(picture.rect().contains(QRect(at, alone.size()))) << text.toStdString();
    EXPECT_EQ(picture.copy(QRect(at, alone.size())), alone) << text.toStdString();
    if (metrics.inFont(QLatin1Char('M'))) { // with a font installed, the label shows text
        int dark = 0;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                dark += qGray(alone.pixel(x, y)) < 128;
        EXPECT_GT(dark, 10) << text.toStdString();
    }
}

TEST(CapacityMeterPixelsTest, RulerBarsAndLabelsOfACdBeyondItsRedLimit)
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
    // The bars' edges and shading, then the ruler: a major tick after the bar,
    // its top, a minor tick and the two edges.
    const struct
    {
        int x, y;
        QRgb colour;
    } pixels[] = {
        {290, 20, Green},
        {291, 20, Yellow},
        {312, 20, Yellow},
        {313, 20, Red},
        {354, 20, Red},
        {354, 33, qRgb(233, 51, 10)},
        {100, 13, qRgb(0, 88, 0)},
        {100, 12, White},
        {355, 20, Black},
        {15, 4, Black},
        {15, 3, White},
        {19, 10, qRgb(172, 172, 172)},
        {0, 20, qRgb(193, 193, 193)},
        {399, 1, qRgb(107, 107, 107)},
    };
    for (const auto &p : pixels)
        EXPECT_EQ(picture.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    ExpectLabel(picture, "650MB", {271, 2});
    ExpectLabel(picture, "700MB", {293, 37});
    ExpectLabel(picture, "0MB", {8, 37});
    ExpectLabel(picture, "800MB", {357, 20});
    EXPECT_EQ(meter.grab().toImage().convertToFormat(QImage::Format_RGB32), picture) << "painting copies it";

    meter.SetSize(0);
    EXPECT_EQ(meter.Picture().pixel(100, 20), White) << "clearing leaves the bare ruler";
    meter.SetSize(800); // the limits went with the clear: everything beyond 0
    EXPECT_EQ(meter.Picture().pixel(100, 20), Red);
}

} // namespace
