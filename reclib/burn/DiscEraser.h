#pragma once

#include "burn/TrackWriter.h"
#include "recorders/ProfileMapping.h"

#include <string>

namespace reclib {

// Makes the disc image in an ordinary file blank through libburn's
// write-only pseudo-drive ("stdio:/dev/fd/N", drive role 5): libburn
// refuses to erase a file grabbed by its path, and its erase truncates.
JobOutcome eraseImageFile(const std::string &path, bool fast);

// Erases or formats the disc in a real drive as the method says; blocks
// until the drive is idle.
JobOutcome eraseDriveDisc(const std::string &address, EraseMethod method);

} // namespace reclib
