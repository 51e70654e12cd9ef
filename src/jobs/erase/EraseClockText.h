#pragma once

#include <QString>

// Texts of the erase progress clock.
namespace jobs {

// "%d:%2.2d": 125 seconds read 2:05.
QString EraseClockTime(int seconds);

// The percent label at countdown step i of an estimate of total seconds:
// "%.1f %%" of i * 100 / total. An estimate of 0 shows "0.0 %" rather than
// dividing by zero.
QString EraseClockPercent(int step, int totalSeconds);

} // namespace jobs
