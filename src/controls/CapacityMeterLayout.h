#pragma once

#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

// Where every piece of the capacity meter goes, computed once for painting
// and for tests. x runs in pixels from the drawing's left edge; the drawing
// is `width` by 50 pixels and every pixel comes from the 28 by 50 scale
// bitmap or from a label.
namespace meter {

inline constexpr int Height = 50;
inline constexpr int ZeroX = 15;     // where the ruler's 0 sits
inline constexpr int TileWidth = 20; // one ruler tile
inline constexpr int BarTop = 13;    // bar rows 13 to 36
inline constexpr int BarHeight = 24;

// Source columns of the scale bitmap.
enum SourceColumn : int {
    LeftEdge = 0, // two columns
    GreenBar = 2,
    YellowBar = 3,
    RedBar = 4,
    RulerTile = 5,  // twenty columns
    RightEdge = 25, // two columns
    BlankColumn = 27,
};

// A block of whole columns copied at full height from the scale bitmap.
struct RulerPiece
{
    int x;
    int sourceColumn;
    int columns;
};

// One step over the ruler, in painting order: a bar piece copies the bar
// rows of sourceColumn to every x from x to endX (exclusive; nothing when
// endX <= x); a label writes text with its top-left corner at `at`.
struct Step
{
    enum class Kind { Bar, Label } kind;
    int sourceColumn = 0;
    int x = 0;
    int endX = 0;
    QString text;
    QPoint at;
};

struct Layout
{
    int scaleLength = 0; // width - 60
    int fullScale = 0;   // megabytes at the size mark's end of the scale
    int yellowMark = 0;
    std::optional<int> redMark; // only when the size is beyond the red limit
    int sizeMark = 0;
    std::vector<RulerPiece> ruler;
    std::vector<Step> steps; // empty while the size is 0 or less
};

// The label text of a number of megabytes ("4482MB").
QString LabelText(long megabytes);

// Lays out the meter for a drawing width and the three numbers.
Layout LayOut(int width, int yellowMb, int redMb, int sizeMb);

} // namespace meter
