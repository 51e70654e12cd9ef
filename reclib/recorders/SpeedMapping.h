#pragma once

#include "reclib_api.h"

#include <vector>

// Write speeds cross three units: libburn's (1000 bytes/s, 1x DVD = 1385,
// 1x CD = 176.4), the SpeedBlock's kB/s with its whole-number 1x rate
// (1385 for DVD, 176 for CD, so that 40x CD reads as exactly 40.0x) and the
// multiples of 1x. These pure functions convert between them.
namespace reclib {

enum class SpeedFamily { Cd, Dvd };

// The SpeedBlock's 1x rate in kB/s.
int32_t speedBlockRate1x(SpeedFamily family);

int32_t speedBlockKBsFromLibburn(int libburnSpeed, SpeedFamily family);
// Rounded up, as libburn asks for fractional speeds (4x CD = 706).
int libburnFromSpeedBlockKBs(int32_t kBs, SpeedFamily family);
// The nearest whole multiple of 1x, at least 1.
int32_t multipleFromLibburn(int libburnSpeed, SpeedFamily family);
// A speed given as a multiple of 1x (2.4 for "2.4x") in libburn units.
int libburnFromMultiple(double multiple, SpeedFamily family);

// Fills a SpeedBlock from libburn speeds: zeros and duplicates dropped,
// ascending, at most SPEED_BLOCK_MAX entries (the slowest kept).
SpeedBlock speedBlockFromLibburn(std::vector<int> libburnSpeeds, SpeedFamily family);

} // namespace reclib
