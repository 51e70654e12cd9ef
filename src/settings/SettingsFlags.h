#pragma once

#include "reclib_api.h"

// The bits of the three flag words kept in the settings file. The file
// stores the words as numbers, and the FSFlags and BurnFlags words go to the
// recording library as they are, so their bits are the library's own.

// FSFlags: the file systems of the disc (Filesystem Flags dialog) and the
// main window's reallocation check box.
enum FsFlag : int {
    FS_JOLIET = ISO_TRACK_JOLIET,
    FS_MODE2 = ISO_TRACK_MODE2,
    FS_ISO9660 = ISO_TRACK_ISO9660,
    FS_UDF = ISO_TRACK_UDF,
    FS_REALLOC = ISO_TRACK_REALLOC,
};

// BurnFlags: how the disc is written (Other Settings dialog).
enum BurnFlag : unsigned {
    BURN_SIMULATE = BURN_FLAG_SIMULATE,
    BURN_PROOF = BURN_FLAG_UNDERRUN_PROT,
    BURN_NO_EJECT = BURN_FLAG_NO_EJECT,
    BURN_VERIFY = BURN_FLAG_VERIFY,
    BURN_DVDROM_BOOKTYPE = BURN_FLAG_BOOKTYPE_DVDROM,
    // The program's own bit: it steers the medium check and is cleared
    // before the word reaches the library.
    BURN_NO_OVERWRITE_ASK = 0x80000000u,
};

// MoreFlags: program behaviour (Other Settings dialog).
enum MoreFlag : int {
    MORE_FORCE_SHUTDOWN = 0x1,
    MORE_LABEL16 = 0x2,
    MORE_IGNORE_SIZE = 0x4,
};

// The words a fresh start uses.
constexpr int DefaultFsFlags = FS_UDF | FS_ISO9660 | FS_REALLOC; // 0x58
constexpr int DefaultBurnFlags = BURN_PROOF;                     // 0x40
constexpr int DefaultMoreFlags = 0;
