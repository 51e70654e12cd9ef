// The meter as it is drawn: the scale bitmap's pixels, the bar colours and
// the labels at their places in the rendered picture.
#include "support/TestEnvironment.h"

#include "controls/CCapacityMeter.h"
#include "controls/CapacityMeterPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QRgb Green = qRgb(11, 255, 11);
const QRgb Yellow = qRgb(255, 223, 11);
const QRgb Red = qRgb(255, 57, 11);
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Light = qRgb(193, 193, 193);
const QRgb Dark = qRgb(107, 107, 107);
const QRgb Tick = qRgb(172, 172, 172);

class CapacityMeterPixelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.resize(430, 200);
        meter = new CCapacityMeter(&owner);
        meter->move(15, 100);
        meter->SetOwner(&owner);
        ASSERT_EQ(meter->LoadScale(5010), 0);
    }

    QImage Show(int yellow, int red, int size, const char *artifact)
    {
        meter->SetYellowLimit(yellow);
        meter->SetRedLimit(red);
        meter->SetSize(size);
        const QImage picture = meter->Picture().convertToFormat(QImage::Format_RGB32);
        picture.save(testenv::artifactDir() + "/" + artifact);
        return picture;
    }

    // The label must appear exactly as drawn alone, at its place.
    void ExpectLabel(const QImage &picture, const QString &text, QPoint at)
    {
        SCOPED_TRACE(text.toStdString());
        const QFontMetrics metrics(meter::LabelFont());
        QImage alone(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
        alone.fill(Qt::magenta);
        {
            QPainter painter(&alone);
            meter::DrawLabel(painter, text, QPoint(0, 0));
        }
        ASSERT_TRUE(QRect(QPoint(0, 0), picture.size()).contains(QRect(at, alone.size())));
        int differing = 0, dark = 0;
        for (int y = 0; y < alone.height(); ++y) {
            for (int x = 0; x < alone.width(); ++x) {
                differing += picture.pixel(at.x() + x, at.y() + y) != alone.pixel(x, y);
                dark += qGray(alone.pixel(x, y)) < 128;
            }
        }
        EXPECT_EQ(differing, 0);
        if (QFontMetrics(meter::LabelFont()).inFont('M')) {
            EXPECT_GT(dark, 10);
        }
    }

    QWidget owner;
    CCapacityMeter *meter = nullptr;
};

TEST_F(CapacityMeterPixelsTest, ControlTakesTheWholeBand)
{
    EXPECT_EQ(meter->DrawingWidth(), 400);
    EXPECT_EQ(meter->size(), QSize(400, 50));
    EXPECT_EQ(meter->sizeHint(), QSize(400, 50));
}

TEST_F(CapacityMeterPixelsTest, BareRulerFromTheScaleBitmap)
{
    const QImage picture = Show(4482, 8106, 0, "meter-empty.png");
    EXPECT_EQ(picture.pixel(0, 20), Light);
    EXPECT_EQ(picture.pixel(1, 49), Dark);
    EXPECT_EQ(picture.pixel(5, 20), White);
    EXPECT_EQ(picture.pixel(5, 0), Light);
    EXPECT_EQ(picture.pixel(5, 49), Dark);
    EXPECT_EQ(picture.pixel(15, 4), Black); // major tick
    EXPECT_EQ(picture.pixel(15, 3), White);
    EXPECT_EQ(picture.pixel(19, 10), Tick);  // minor tick
    EXPECT_EQ(picture.pixel(19, 24), Black); // axis
    EXPECT_EQ(picture.pixel(19, 42), White);
    EXPECT_EQ(picture.pixel(100, 20), White); // no bar
    EXPECT_EQ(picture.pixel(398, 1), Light);
    EXPECT_EQ(picture.pixel(398, 20), Dark);
    EXPECT_EQ(picture.pixel(399, 1), Dark);
}

TEST_F(CapacityMeterPixelsTest, DvdSizeBetweenTheLimits)
{
    const QImage picture = Show(4482, 8106, 4600, "meter-dvd-4600.png");
    EXPECT_EQ(picture.pixel(15, 20), Green);
    EXPECT_EQ(picture.pixel(202, 20), Green);
    EXPECT_EQ(picture.pixel(203, 20), Yellow);
    EXPECT_EQ(picture.pixel(207, 20), Yellow);
    EXPECT_EQ(picture.pixel(208, 20), White);
    EXPECT_EQ(picture.pixel(100, 13), qRgb(0, 88, 0));
    EXPECT_EQ(picture.pixel(100, 14), qRgb(5, 162, 5));
    EXPECT_EQ(picture.pixel(100, 34), qRgb(6, 185, 6));
    EXPECT_EQ(picture.pixel(100, 35), qRgb(3, 137, 3));
    EXPECT_EQ(picture.pixel(205, 36), qRgb(120, 110, 0));
    EXPECT_EQ(picture.pixel(100, 12), White);
    ExpectLabel(picture, "4482MB", {183, 37});
    ExpectLabel(picture, "0MB", {8, 37});
    ExpectLabel(picture, "4600MB", {210, 20});
}

TEST_F(CapacityMeterPixelsTest, CdSizeBeyondTheRedLimit)
{
    const QImage picture = Show(650, 700, 800, "meter-cd-800.png");
    EXPECT_EQ(picture.pixel(290, 20), Green);
    EXPECT_EQ(picture.pixel(291, 20), Yellow);
    EXPECT_EQ(picture.pixel(312, 20), Yellow);
    EXPECT_EQ(picture.pixel(313, 20), Red);
    EXPECT_EQ(picture.pixel(354, 20), Red);
    EXPECT_EQ(picture.pixel(354, 33), qRgb(233, 51, 10));
    EXPECT_EQ(picture.pixel(355, 20), Black); // the ruler's major tick again
    ExpectLabel(picture, "650MB", {271, 2});
    ExpectLabel(picture, "700MB", {293, 37});
    ExpectLabel(picture, "0MB", {8, 37});
    ExpectLabel(picture, "800MB", {357, 20});
}

TEST_F(CapacityMeterPixelsTest, PaintingCopiesThePictureAndClearingLeavesTheRuler)
{
    const QImage full = Show(650, 700, 800, "meter-cd-800-again.png");
    EXPECT_EQ(meter->grab().toImage().convertToFormat(QImage::Format_RGB32), full);

    meter->SetSize(0);
    const QImage cleared = meter->Picture();
    EXPECT_EQ(cleared.pixel(100, 20), White);
    meter->SetSize(800); // the limits went with the clear: everything beyond 0
    EXPECT_EQ(meter->Picture().pixel(100, 20), Red);
}

TEST(CapacityMeterLoadTest, MissingBitmapOrNoWidthFails)
{
    QWidget owner;
    owner.resize(430, 200);
    CCapacityMeter meter(&owner);
    meter.move(15, 100);
    meter.SetOwner(&owner);
    EXPECT_EQ(meter.LoadScale(9999), 1);
    EXPECT_TRUE(meter.Picture().isNull());
    meter.move(300, 100);
    EXPECT_EQ(meter.LoadScale(5010), 1); // the band would end before it starts
    meter.grab();                        // paints without a picture
}

} // namespace
