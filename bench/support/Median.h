#pragma once
// The middle of a benchmark's repeated timings: one slow run (another
// process, a cold cache) moves it less than it moves the mean.

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
