#pragma once
// How long a real drive takes to erase or format its disc, per medium and
// method, from a table that states where each figure comes from. Real
// drives blank at the medium's own rating (1x or 2x for DVD-RW, 4x for
// CD-RW), far below their fastest write speed, and a full blank or a
// forced DVD+RW format rewrites the whole disc; an estimate from the write
// speed ran into overtime on every real disc. The virtual recorders keep
// their own estimate (EraseEstimate.h) and its erase-time-scale.

#include "recorders/MediumKind.h"
#include "recorders/ProfileMapping.h"

#include <cstdint>
#include <span>

namespace reclib {

struct DriveEraseFigure
{
    MediumKind medium;
    EraseMethod method;
    // Bytes the drive rewrites; WholeDisc for the whole disc.
    int64_t workBytes;
    // libburn kB/s (1000 bytes/s) the drive is assumed to blank at when it
    // reports no speed for the loaded disc.
    int assumedSpeed;
    // Spin-up, power calibration, lead-in and lead-out, at any speed.
    int fixedSeconds;
    const char *source;
};

inline constexpr int64_t WholeDisc = -1;

// Seconds the erase of a real drive's disc is expected to take, rounded up.
// capacitySectors: the disc's size (0 when the drive does not say: the
// medium's nominal size is used); blankingSpeed: the speed the drive reports
// for the loaded disc in libburn kB/s, 0 when it reports none. Answers -1
// for a medium and method the table has no figure for.
int driveEraseSeconds(MediumKind medium, EraseMethod method, int64_t capacitySectors, int blankingSpeed);

} // namespace reclib
