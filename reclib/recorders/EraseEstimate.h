#pragma once

#include <cstdint>

namespace reclib {

// Seconds an erase takes: a full erase rewrites the whole disc, a quick one
// only the area that tells a drive the disc is used (up to 64 MiB), at the
// given speed (libburn units of 1000 bytes/s), times the configured scale.
// Rounded up, so any work that is scaled above zero takes at least a second.
int eraseSeconds(int64_t capacitySectors, int eraseMode, int libburnSpeed, double scale);

} // namespace reclib
