#pragma once
// What the library decides about a real drive's disc from what libburn
// reports, apart from the libburn calls themselves: capacity, the speed a
// disc is blanked at, whether to ask before overwriting, the book type, and
// the texts the user reads. They need no drive, so tests check them table
// by table; README.md lists the drives and discs they were checked against
// on paper.

#include "recorders/MediumKind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace reclib {

// The sectors the disc information reports: what libburn says is free (its
// available space), or for a written rewritable disc, which a burn erases
// or overwrites, the whole disc; 0 for a written disc that cannot take more.
int64_t driveCapacitySectors(MediumKind kind, bool blank, int64_t availableBytes);

// One entry of libburn's speed list: the profile of the disc loaded when the
// drive reported it and its write speed (libburn kB/s).
struct ReportedSpeed
{
    int loadedProfile;
    int writeSpeed;
};

// The speed the drive can blank or format the loaded disc at: the fastest it
// reports for that disc (libburn offers no separate blanking speed; a drive
// blanks at a speed the disc is rated to be written at). 0 when it reports
// none for the loaded disc.
int blankingSpeedFor(const std::vector<ReportedSpeed> &speeds, int loadedProfile);

// A written rewritable disc is overwritten only after the user agreed, when
// the burn asks for that check.
bool askBeforeOverwriting(bool blank, bool rewritable, bool checkRequested);

// The texts of a real drive's refusals and failures.
std::string noWritableDiscText(const std::string &recorder);
std::string notOverwrittenText(MediumKind kind);
std::string notErasableText(const std::string &recorder);
// libburn's first message about a failed erase, or a text of our own when it
// gave none.
std::string eraseFailureText(const std::vector<std::string> &libburnMessages);

} // namespace reclib
