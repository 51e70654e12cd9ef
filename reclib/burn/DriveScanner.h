#pragma once

#include "recorders/RecorderEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace reclib {

// The optical drives libburn finds (none on a machine without /dev/sr*),
// each described as a recorder with its media set and write speeds.
std::vector<RecorderEntry> scanDrives();

// What a real drive holds, read with the drive grabbed briefly.
struct DriveDisc
{
    int profile = 0; // libburn media profile, 0 = none
    bool blank = false;
    bool erasable = false;
    int sessions = 0;
    int64_t capacitySectors = 0; // what a burn can use (driveCapacitySectors)
    int blankingSpeed = 0;       // libburn kB/s, 0 when the drive reports none
    // For the log: the media identifier and the speeds offered for the disc.
    std::string mediaNote;
};
std::optional<DriveDisc> probeDrive(const std::string &address, std::string &error);

// Opens or closes a real drive's tray.
bool moveTray(const std::string &address, bool eject, std::string &error);

} // namespace reclib
