#pragma once

#include "burn/JobChannel.h"
#include "burn/TrackWriter.h"
#include "reclib_api.h"

#include <functional>
#include <string>

namespace reclib {

// Reads the written image back and compares it with the track, produced a
// second time from its sources. A difference fails naming the first sector
// that differs.
JobOutcome verifyImage(IsoTrack *track, const std::string &writtenFile, JobChannel &channel,
                       const std::function<void(int)> &onPercent);

} // namespace reclib
