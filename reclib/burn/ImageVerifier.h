#pragma once

#include "burn/JobChannel.h"
#include "burn/TrackWriter.h"
#include "reclib_api.h"

#include <functional>
#include <string>

namespace reclib {

// Says what a sector of the image holds ("in /VIDEO_TS/VTS_01_1.VOB at byte
// offset 6144"), so that a failed verify names the damaged file.
using SectorDescriber = std::function<std::string(int64_t sector)>;

// Reads the written image back and compares it with the track, produced a
// second time from its sources. A difference fails naming the first sector
// that differs and, where describe is given, what that sector holds. With a
// speed (1000 bytes/s) it reads no faster, as a paced virtual disc does.
JobOutcome verifyImage(IsoTrack *track, const std::string &writtenFile, JobChannel &channel,
                       const std::function<void(int)> &onPercent, const SectorDescriber &describe = {},
                       int speed = 0);

} // namespace reclib
