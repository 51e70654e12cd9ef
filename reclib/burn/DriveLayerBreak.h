#pragma once
// The layer break of a real dual-layer drive, settled before the write:
// libburn cannot set it, so the drive is told directly through a SCSI
// channel while libburn holds no grab on it.

#include "burn/ScsiChannel.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace reclib {

// Where the break goes and what to do afterwards.
struct DriveLayerBreakJob
{
    bool dvdPlusR = true;     // DVD+R DL: set it; DVD-R DL: only report it
    int64_t plannedBreak = 0; // layer 0's size, a sector count
    int64_t imageSectors = 0;
    std::vector<int64_t> cellStarts; // the main title's cell starts on the disc
    // libburn's grab of the drive again after the commands; false with the
    // reason when the drive cannot be had.
    std::function<bool(std::string &why)> grabAgain;
    std::function<void(int textType, const std::string &text)> log;
};

// DVD+R DL: SEND DISC STRUCTURE 20h with the planned break, READ DISC
// STRUCTURE 20h back, the read-back must be the plan rounded up to 16
// sectors, then grabAgain. DVD-R DL: READ DISC STRUCTURE 20h only, and the
// log says where the drive's break falls. Nothing on success; otherwise the
// reason (sense data decoded) and the disc is as it was. The channel is
// closed before grabAgain, so that libburn finds the drive free.
std::optional<std::string> settleDriveLayerBreak(std::unique_ptr<IScsiChannel> channel,
                                                 const DriveLayerBreakJob &job);

} // namespace reclib
