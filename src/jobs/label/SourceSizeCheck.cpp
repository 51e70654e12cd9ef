#include "jobs/label/SourceSizeCheck.h"

#include "jobs/label/FolderSize.h"
#include "jobs/label/VolumeLabel.h"

#include <climits>
#include <cmath>

SizeLimits LimitsForMedia(int media, SizeLimits dvd, SizeLimits cd)
{
    return media == 0 ? dvd : cd;
}

int WholeMegabytes(double megabytes)
{
    const double rounded = std::floor(megabytes + 0.5);
    if (!(rounded < double(INT_MAX)))
        return INT_MAX;
    return rounded > double(INT_MIN) ? int(rounded) : INT_MIN;
}

SourceSizeCheck SizeCheckFor(double bytes, SizeLimits limits, bool ignoreSize)
{
    const double megabytes = bytes / BytesPerMegabyte;
    SourceSizeCheck check;
    check.sourceGiven = true;
    check.yellowMb = limits.yellowMb;
    check.redMb = limits.redMb;
    check.sizeMb = WholeMegabytes(megabytes);
    // The exact size decides, not the rounded one the meter shows: a source
    // even a fraction of a megabyte over the limit does not fit.
    const bool tooLarge = double(limits.redMb) < megabytes;
    check.burn = (tooLarge && !ignoreSize) ? BurnButton::Disabled : BurnButton::Enabled;
    return check;
}

SourceSizeCheck CheckSourceSize(const QString &sourceDir, SizeLimits limits, bool ignoreSize)
{
    if (CharacterCount(sourceDir) < 2)
        return {};
    return SizeCheckFor(GetFolderSize(sourceDir), limits, ignoreSize);
}
