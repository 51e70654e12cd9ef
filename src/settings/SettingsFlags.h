#pragma once

// The bits of the three flag words kept in the settings file.

// FSFlags: the file systems of the disc (Filesystem Flags dialog) and the
// main window's reallocation check box.
enum FsFlag : int {
    FS_JOLIET = 0x01,
    FS_MODE2 = 0x02,
    FS_ISO9660 = 0x08,
    FS_UDF = 0x10,
    FS_REALLOC = 0x40,
};

// BurnFlags: how the disc is written (Other Settings dialog).
enum BurnFlag : unsigned {
    BURN_SIMULATE = 0x2,
    BURN_PROOF = 0x40,
    BURN_NO_EJECT = 0x200,
    BURN_VERIFY = 0x400,
    BURN_DVDROM_BOOKTYPE = 0x4000,
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
