#pragma once

#include "burn/JobChannel.h"
#include "reclib_api.h"
#include "recorders/VirtualRecorderSettings.h"

#include <functional>
#include <string>

namespace reclib {

struct WriteOptions
{
    std::string address;  // libburn drive address: "stdio:<file>" or a real drive
    int libburnSpeed = 0; // 1000 bytes/s; 0 = as fast as the drive goes
    bool simulate = false;
    bool underrunProof = false;
    bool discAtOnce = true;
    bool eject = false;
    FaultInjection fault; // FailAtSector is honoured here
    bool sha256 = true;   // hash the image as it streams (JobOutcome::sha256)
};

struct JobOutcome
{
    enum class Status { Done, Failed, Cancelled };
    Status status = Status::Done;
    std::string reason; // for Failed
    std::string sha256; // of the image as written, when it was written whole

    static JobOutcome done() { return {}; }
    static JobOutcome failed(std::string why) { return {Status::Failed, std::move(why), {}}; }
    static JobOutcome cancelled() { return {Status::Cancelled, {}, {}}; }
};

// Writes the track's image through libburn to the drive at options.address
// as one Mode 1 data track, produced ahead of the drive on a thread of its
// own (TrackSource). Blocks until the drive
// is idle again; reports percent done (0 to 100) and stops soon after the
// channel's cancel request. Done carries the image's SHA-256 when asked
// for and the write was not simulated.
JobOutcome writeTrack(IsoTrack *track, const WriteOptions &options, JobChannel &channel,
                      const std::function<void(int)> &onPercent);

} // namespace reclib
