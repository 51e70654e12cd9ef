#pragma once

#include <QString>

// The yellow and red size limits of one kind of media, in whole megabytes.
struct SizeLimits
{
    int yellowMb = 0;
    int redMb = 0;
};

// What the size check asks of the Burn button.
enum class BurnButton {
    Unchanged, // no source given
    Enabled,
    Disabled, // the source is larger than the red limit
};

// What the window shows after measuring the source. With a source, the
// capacity meter gets SetYellowLimit(yellowMb), SetRedLimit(redMb),
// SetSize(sizeMb), in this order; without one, only SetSize(0).
struct SourceSizeCheck
{
    bool sourceGiven = false;
    int yellowMb = 0;
    int redMb = 0;
    int sizeMb = 0;
    BurnButton burn = BurnButton::Unchanged;
};

inline constexpr double BytesPerMegabyte = 1048576.0;

// DVD limits for media 0, CD limits otherwise.
SizeLimits LimitsForMedia(int media, SizeLimits dvd, SizeLimits cd);

// Megabytes rounded half up, as the meter shows them (clamped to int).
int WholeMegabytes(double megabytes);

// The check for a source of this many bytes: Burn stays enabled up to and
// including the red limit, and beyond it when ignoreSize is set.
SourceSizeCheck SizeCheckFor(double bytes, SizeLimits limits, bool ignoreSize);

// Measures sourceDir (GetFolderSize) and decides; a text shorter than two
// characters is no source. A missing or unreadable folder measures 0: the
// compilation reports the real problem when the burn starts.
SourceSizeCheck CheckSourceSize(const QString &sourceDir, SizeLimits limits, bool ignoreSize);
