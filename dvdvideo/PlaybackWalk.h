#pragma once
// The playback walk: libdvdread opens the folder as a player would, opens
// every title the video manager lists, and reads the first and the last
// sector of every cell of every chapter. A cell it cannot reach or read is
// an error naming the title and chapter.
//
// It never reads a whole VOB: two sectors per distinct cell at most, and a
// title that takes longer than its time bound is left unfinished (without a
// finding: slowness is no fault of the folder). Program chains are followed
// only by index, never by their next/previous links, so a chain that loops
// cannot hold the walk.

#include "dvdvideo/Finding.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace dvdvideo {

struct WalkLimits
{
    std::chrono::milliseconds perTitle{4000};
    // Asked before each chapter: true ends the walk at once, without a
    // finding (the caller knows it asked).
    std::function<bool()> aborted;
};

// folder holds VIDEO_TS. Titles of a set not in sets are skipped (their
// missing files are reported elsewhere).
Findings WalkPlayback(const std::string &folder, const std::vector<int> &sets, WalkLimits limits = {});

} // namespace dvdvideo
