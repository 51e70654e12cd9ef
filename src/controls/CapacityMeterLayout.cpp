#include "controls/CapacityMeterLayout.h"

#include <cmath>

namespace meter {
namespace {

// Rounded half up, in doubles: the products of megabytes and pixels
// outgrow an int.
int MarkAt(double megabytes, int scaleLength, double fullScale)
{
    return ZeroX + int(std::floor(megabytes * scaleLength / fullScale + 0.5));
}

std::vector<RulerPiece> LayOutRuler(int width)
{
    std::vector<RulerPiece> pieces;
    for (int x = 0; x < ZeroX; ++x)
        pieces.push_back({x, BlankColumn, 1});
    for (int x = ZeroX; x < width; x += TileWidth)
        pieces.push_back({x, RulerTile, TileWidth});
    pieces.push_back({0, LeftEdge, 2});
    pieces.push_back({width - 2, RightEdge, 2});
    return pieces;
}

Step Bar(int sourceColumn, int x, int endX)
{
    return {Step::Kind::Bar, sourceColumn, x, endX, {}, {}};
}

Step Label(long megabytes, int x, int y)
{
    return {Step::Kind::Label, 0, 0, 0, LabelText(megabytes), QPoint(x, y)};
}

std::vector<Step> LayOutBar(const Layout &layout, int yellowMb, int redMb, int sizeMb)
{
    std::vector<Step> steps;
    if (layout.sizeMark < layout.yellowMark) {
        steps.push_back(Bar(GreenBar, ZeroX, layout.sizeMark));
    } else {
        steps.push_back(Bar(GreenBar, ZeroX, layout.yellowMark));
        if (!layout.redMark) {
            steps.push_back(Bar(YellowBar, layout.yellowMark, layout.sizeMark));
            steps.push_back(Label(yellowMb, layout.yellowMark - 20, 37));
        } else {
            steps.push_back(Bar(YellowBar, layout.yellowMark, *layout.redMark));
            steps.push_back(Label(yellowMb, layout.yellowMark - 20, 2));
            steps.push_back(Bar(RedBar, *layout.redMark, layout.sizeMark));
            steps.push_back(Label(redMb, *layout.redMark - 20, 37));
        }
    }
    steps.push_back(Label(0, 8, 37));
    steps.push_back(Label(sizeMb, layout.sizeMark + 2, 20));
    return steps;
}

} // namespace

QString LabelText(long megabytes)
{
    return QString::number(megabytes) + QStringLiteral("MB");
}

Layout LayOut(int width, int yellowMb, int redMb, int sizeMb)
{
    Layout layout;
    layout.scaleLength = width - 60;
    layout.ruler = LayOutRuler(width);
    if (sizeMb <= 0)
        return layout;
    if (sizeMb > redMb) {
        layout.fullScale = sizeMb;
        layout.redMark = MarkAt(redMb, layout.scaleLength, sizeMb);
        layout.sizeMark = width - 45;
    } else {
        layout.fullScale = redMb;
        layout.sizeMark = MarkAt(sizeMb, layout.scaleLength, redMb);
    }
    layout.yellowMark = MarkAt(yellowMb, layout.scaleLength, layout.fullScale);
    layout.steps = LayOutBar(layout, yellowMb, redMb, sizeMb);
    return layout;
}

} // namespace meter
