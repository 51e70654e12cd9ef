#include "recorders/DriveEraseEstimate.h"

#include "reclib_api.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace reclib {
namespace {

// Speeds in libburn units: 1x DVD = 1385 kB/s, 1x CD = 176.4 kB/s.
constexpr int Dvd1x = 1385;
constexpr int Cd4x = 706;
constexpr int DvdPlusRw2_4x = 3324;
constexpr int CalibrationSeconds = 30;
// A CD sector as the drive rewrites it: 2352 bytes for 2048 of user data.
constexpr double CdRawPerUserByte = 2352.0 / 2048.0;

constexpr std::array<DriveEraseFigure, 6> Figures{{
    {MediumKind::DvdMinusRw, EraseMethod::BlankFast, 64LL * 1024 * 1024, Dvd1x, CalibrationSeconds,
     "Minimal blank (MMC BLANK type 1): the drive rewrites the lead-in and the recording management data "
     "only. Modelled as 64 MiB at 1x, the speed every DVD-RW is rated for (ECMA-338), plus spin-up and "
     "power calibration: about 80 s. An estimate on paper, not a measurement."},
    {MediumKind::DvdMinusRw, EraseMethod::BlankFull, WholeDisc, Dvd1x, CalibrationSeconds,
     "Full blank (MMC BLANK type 0) rewrites every sector of the disc at the blanking speed; without a "
     "reported speed at 1x (ECMA-338): 4.7 GB take about 57 minutes."},
    {MediumKind::DvdMinusRw, EraseMethod::Format, WholeDisc, Dvd1x, CalibrationSeconds,
     "Restricted-overwrite DVD-RW is formatted with the force bit (burn_disc_format flag 0x10), which "
     "makes the drive format the whole user area again: counted like a full blank."},
    {MediumKind::DvdPlusRw, EraseMethod::Format, WholeDisc, DvdPlusRw2_4x, CalibrationSeconds,
     "A forced DVD+RW format (burn_disc_format flag 0x10) rewrites the whole disc; without a reported "
     "speed at 2.4x, the lowest rating of DVD+RW media (ECMA-337): 4.7 GB take about 24 minutes."},
    {MediumKind::CdRw, EraseMethod::BlankFast, int64_t(4500 * 2352), Cd4x, CalibrationSeconds,
     "Minimal blank of a CD-RW rewrites the PMA, the TOC in the lead-in (at most one minute of CD time, "
     "4500 sectors of 2352 bytes) and the first pregap; at 4x, the rating of ordinary CD-RW (Orange Book "
     "part III), plus spin-up and calibration: about 45 s."},
    {MediumKind::CdRw, EraseMethod::BlankFull, WholeDisc, Cd4x, CalibrationSeconds,
     "Full blank rewrites every sector (2352 bytes each) of the disc; at 4x an 80-minute CD-RW takes "
     "20 minutes."},
}};

} // namespace

int driveEraseSeconds(MediumKind medium, EraseMethod method, int64_t capacitySectors, int blankingSpeed)
{
    const auto figure = std::find_if(Figures.begin(), Figures.end(), [&](const DriveEraseFigure &f) {
        return f.medium == medium && f.method == method;
    });
    if (figure == Figures.end())
        return -1;
    const int64_t sectors = capacitySectors > 0 ? capacitySectors : traitsOf(medium).capacitySectors;
    double bytes = figure->workBytes == WholeDisc ? double(sectors) * SECTOR_SIZE : double(figure->workBytes);
    if (figure->workBytes == WholeDisc && !isDvd(medium))
        bytes *= CdRawPerUserByte;
    const int speed = blankingSpeed > 0 ? blankingSpeed : figure->assumedSpeed;
    const double seconds = figure->fixedSeconds + bytes / (speed * 1000.0);
    return int(std::min(std::ceil(seconds - 1e-9), 86400.0));
}

} // namespace reclib
