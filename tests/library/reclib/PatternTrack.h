#pragma once

#include "reclib_api.h"

#include <cstdint>
#include <string>
#include <vector>

// A track of the current interface whose image is a known pattern: every
// byte of sector n is derived from n. Its options make it report the
// failures a real image builder can report.
struct PatternTrackOptions
{
    int64_t sectors = 256;
    int64_t failAtSector = -1; // readBlocks fails there with failureText
    std::string failureText = "Required file /dvd/VIDEO_TS/VTS_01_1.VOB is missing";
    bool reallocFailed = false;
    bool mode2 = false;
    std::string layoutError; // empty = none
};

IsoTrack *createPatternTrack(const PatternTrackOptions &options);
inline IsoTrack *patternTrack(int64_t sectors)
{
    PatternTrackOptions options;
    options.sectors = sectors;
    return createPatternTrack(options);
}
// The image the track produces.
std::vector<uint8_t> patternImage(int64_t sectors);
// How often slot 0 was called with deleteFlag 1 (tracks freed), process-wide.
int patternTracksFreed();
