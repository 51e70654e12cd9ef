#pragma once

// Tracks of both interface generations that record which slot was called,
// for checking what the track adapters forward. Every slot answers its own
// slot number plus 1000 (texts: "slot <n>"), so a forwarded answer is told
// apart from a default one (0).
#include "reclib_api.h"

#include <cstdint>
#include <vector>

struct SlotLog
{
    std::vector<int> calls;
    int destroyCount = 0;
    int lastDeleteFlag = -1;
    void *lastArgument = nullptr;
};

struct RecordingCurrentTrack
{
    IsoTrack base;
    SlotLog *log;
};

struct RecordingLegacyTrack
{
    LegacyIsoTrack base;
    SlotLog *log;
};

RecordingCurrentTrack MakeRecordingCurrentTrack(SlotLog &log);
RecordingLegacyTrack MakeRecordingLegacyTrack(SlotLog &log);

// Calls slot 1 to 29 of a current track (20 for a legacy one) with fixed
// arguments and folds the answer into one number: results as they are,
// texts as their address, cleared values as their sum.
intptr_t CallCurrentSlot(IsoTrack *track, int slot);
intptr_t CallLegacySlot(LegacyIsoTrack *track, int slot);
