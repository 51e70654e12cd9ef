#pragma once

#include "reclib_api.h"
#include "settings/SettingsFlags.h"

#include <QString>

#include <cstdint>

// Mapping the settings' flag words onto what the recording library receives.
namespace jobs {

// Bits the burn always asks for (0x190C).
constexpr uint32_t AlwaysBurnFlags = BURN_FLAG_WRITE | BURN_FLAG_DAO | BURN_FLAG_DETECT_NON_EMPTY_RW |
                                     BURN_FLAG_SPEED_IN_KBS | BURN_FLAG_DVDP_BURN_30MM_AT_LEAST;
constexpr uint32_t VerifyBurnFlag = BURN_FLAG_VERIFY;
constexpr uint32_t NoOverwriteAskBit = BURN_NO_OVERWRITE_ASK;
constexpr uint32_t ReallocateFsFlag = ISO_TRACK_REALLOC;

// The burn flags for NeroBurn: the BurnFlags word plus AlwaysBurnFlags, the
// verify bit exactly when the window's Verify box is ticked, and bit 31
// (which only steers the medium check) cleared.
uint32_t ComputeBurnFlags(uint32_t burnFlagsWord, bool verify);

struct IsoTrackFlags
{
    uint32_t flags = 0;
    QString flagList; // "ISO UDF Joliet Mode 2 Realloc " in that order, each with a trailing blank
};

// The ISO track flags: the FSFlags word unchanged, plus the reallocation bit
// when the window's Reallocate box is ticked.
IsoTrackFlags ComputeIsoTrackFlags(uint32_t fsFlagsWord, bool reallocate);

} // namespace jobs
