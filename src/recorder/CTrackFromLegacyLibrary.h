#pragma once

#include "recorder/TrackOwnership.h"

#include "reclib_api.h"

#include <cstdint>
#include <type_traits>

// Presents the current track interface (30 slots) over a track made by a
// library older than 5.5.9.16. Base slots 1 to 4, 10 and 11 and the track's
// own slots go to the wrapped track; the slots the legacy interface lacks
// give their default answers.
//
// A C record like the tracks it stands for: the table of operations, the
// wrapped track and the owns flag (12 bytes on 32-bit targets). It lives on
// the heap and ends through its slot 0, which frees it when the delete flag
// is set and first destroys an owned wrapped track.
struct CTrackFromLegacyLibrary
{
    IsoTrack base;
    LegacyIsoTrack *wrapped;
    int32_t ownsWrapped;

    // The adapter seen as a current track; null for a null track (there is
    // nothing to present) or when memory runs out.
    static IsoTrack *Create(LegacyIsoTrack *track, TrackOwnership ownership);
};

static_assert(std::is_standard_layout_v<CTrackFromLegacyLibrary>,
              "the adapter is handed around as its first member");
static_assert(sizeof(CTrackFromLegacyLibrary) == (sizeof(void *) == 4 ? 12 : 24),
              "table, wrapped track, owns flag");
