#pragma once

#include "recorders/MediumKind.h"

#include <cstdint>
#include <optional>

// Pure translations from what libburn reports about a real drive's disc to
// the records of the shared header. They need no drive, so tests can check
// them table by table.
namespace reclib {

// The medium kind of a libburn media profile (0x09 CD-R, 0x1a DVD+RW, ...).
// No value for profiles that hold no writable disc we handle (no disc,
// CD-ROM, DVD-ROM, DVD-RAM, BD, the 0xffff "stdio file").
std::optional<MediumKind> mediumFromProfile(int profile);

// The dual-layer recordable kind of a profile (0x2b DVD+R DL, 0x15 and
// 0x16 DVD-R DL); nothing for any other. mediumFromProfile keeps calling
// them DVD+R and DVD-R: the disc information stays as it was.
std::optional<MediumKind> dualLayerFromProfile(int profile);

// The three fields the program reads from the disc information record.
struct DiscInfoFields
{
    int32_t mediumType = 0;
    uint32_t mediaType = 0;
    int32_t contentCount = 0;
};

// sessionCount is the number of sessions libburn reports on the disc
// (0 when it is blank).
DiscInfoFields discInfoFieldsFor(MediumKind kind, int sessionCount);

// How a real drive makes its disc blank again.
enum class EraseMethod {
    BlankFast, // burn_disc_erase(drive, 1)
    BlankFull, // burn_disc_erase(drive, 0)
    Format,    // burn_disc_format: DVD+RW and restricted-overwrite DVD-RW
    NotErasable,
};

// eraseMode: 0 full, 1 quick (the program's erase modes). DVD+RW and
// DVD-RW in restricted-overwrite state always read as blank to libburn and
// are made empty by formatting, whichever mode is asked for.
EraseMethod eraseMethodFor(int profile, int eraseMode);

} // namespace reclib
