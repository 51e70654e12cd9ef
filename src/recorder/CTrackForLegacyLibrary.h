#pragma once

#include "recorder/TrackOwnership.h"

#include "reclib_api.h"

#include <cstdint>
#include <type_traits>

// Presents the legacy track interface (20 slots) over a current track, for
// libraries older than 5.5.9.16. Base slots 1 to 4, 10 and 11 and legacy
// slots 13 to 19 (current 21 to 27) go to the wrapped track; slots 5 to 9
// and 12 give their default answers.
//
// A C record like the tracks it stands for: the table of operations, the
// wrapped track and the owns flag (12 bytes on 32-bit targets). It lives on
// the heap and ends through its slot 0, which frees it when the delete flag
// is set and first destroys an owned wrapped track.
struct CTrackForLegacyLibrary
{
    LegacyIsoTrack base;
    IsoTrack *wrapped;
    int32_t ownsWrapped;

    // The adapter seen as a legacy track; null for a null track or when
    // memory runs out.
    static LegacyIsoTrack *Create(IsoTrack *track, TrackOwnership ownership);
};

static_assert(std::is_standard_layout_v<CTrackForLegacyLibrary>,
              "the adapter is handed around as its first member");
static_assert(sizeof(CTrackForLegacyLibrary) == (sizeof(void *) == 4 ? 12 : 24),
              "table, wrapped track, owns flag");
