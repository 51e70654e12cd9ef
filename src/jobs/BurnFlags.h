#pragma once

#include <QString>

#include <cstdint>

// Mapping the settings' flag words onto what the recording library receives.
namespace jobs {

// Bits the burn always asks for: write, disc-at-once, detect a non-empty
// rewritable disc, speed in kB/s, DVD+R compatible close.
constexpr uint32_t AlwaysBurnFlags = 0x190C;
constexpr uint32_t VerifyBurnFlag = 0x400;
constexpr uint32_t NoOverwriteAskBit = 0x80000000u;
constexpr uint32_t ReallocateFsFlag = 0x40;

// The burn flags for NeroBurn: the BurnFlags word plus AlwaysBurnFlags, the
// verify bit exactly when the window's Verify box is ticked, and bit 31
// (which only steers the medium check) cleared.
uint32_t ComputeBurnFlags(uint32_t burnFlagsWord, bool verify);

struct IsoTrackFlags {
    uint32_t flags = 0;
    QString flagList; // "ISO UDF Joliet Mode 2 Realloc " in that order, each with a trailing blank
};

// The ISO track flags: the FSFlags word unchanged, plus the reallocation bit
// when the window's Reallocate box is ticked.
IsoTrackFlags ComputeIsoTrackFlags(uint32_t fsFlagsWord, bool reallocate);

} // namespace jobs
