#include "RecordingTrack.h"

#include <numeric>

namespace {

const char *const kTexts[] = {"slot 11", "slot 14", "slot 16", "slot 19", "slot 22", "slot 24", "slot 27"};

const char *TextFor(int slot)
{
    switch (slot) {
    case 11:
        return kTexts[0];
    case 14:
        return kTexts[1];
    case 16:
        return kTexts[2];
    case 19:
        return kTexts[3];
    case 22:
        return kTexts[4];
    case 24:
        return kTexts[5];
    default:
        return kTexts[6];
    }
}

SlotLog &LogOf(IsoTrack *track)
{
    return *reinterpret_cast<RecordingCurrentTrack *>(track)->log;
}

SlotLog &LogOf(LegacyIsoTrack *track)
{
    return *reinterpret_cast<RecordingLegacyTrack *>(track)->log;
}

template <typename Track> void Destroy(Track *track, int deleteFlag)
{
    ++LogOf(track).destroyCount;
    LogOf(track).lastDeleteFlag = deleteFlag;
}

template <int Slot, typename Result, typename Track> Result Number(Track *track)
{
    LogOf(track).calls.push_back(Slot);
    return static_cast<Result>(1000 + Slot);
}

template <int Slot, typename Track> const char *Text(Track *track)
{
    LogOf(track).calls.push_back(Slot);
    return TextFor(Slot);
}

template <int Slot, typename Track> void Nothing(Track *track)
{
    LogOf(track).calls.push_back(Slot);
}

template <int Slot, typename Track> int32_t WithArgument(Track *track, void *argument)
{
    LogOf(track).calls.push_back(Slot);
    LogOf(track).lastArgument = argument;
    return 1000 + Slot;
}

template <typename Track> int32_t ReadBlocks(Track *track, void *buffer, uint32_t maxBlocks)
{
    LogOf(track).calls.push_back(4);
    LogOf(track).lastArgument = buffer;
    return static_cast<int32_t>(1000 + maxBlocks);
}

template <int Slot, typename Track> void SetTwo(Track *track, uint32_t *a, uint32_t *b)
{
    LogOf(track).calls.push_back(Slot);
    *a = *b = 1000 + Slot;
}

void SetEight(IsoTrack *track, uint32_t *a, uint32_t *b, uint32_t *c, uint32_t *d, uint32_t *e, uint32_t *f,
              uint32_t *g, uint32_t *h)
{
    LogOf(track).calls.push_back(29);
    for (uint32_t *value : {a, b, c, d, e, f, g, h})
        *value = 1029;
}

using C = IsoTrack;
using L = LegacyIsoTrack;

constexpr IsoTrackVtbl kCurrent = {
    Destroy<C>,
    Number<1, int32_t, C>,
    Number<2, int64_t, C>,
    Number<3, int32_t, C>,
    ReadBlocks<C>,
    Number<5, int32_t, C>,
    Number<6, int32_t, C>,
    WithArgument<7, C>,
    Number<8, int32_t, C>,
    SetTwo<9, C>,
    Nothing<10, C>,
    Text<11, C>,
    Number<12, int32_t, C>,
    Number<13, int32_t, C>,
    Number<14, int32_t, C>,
    Number<15, int32_t, C>,
    Number<16, int32_t, C>,
    Number<17, int32_t, C>,
    Number<18, int32_t, C>,
    Number<19, int32_t, C>,
    Number<20, int32_t, C>,
    Number<21, uint32_t, C>,
    Text<22, C>,
    Number<23, int32_t, C>,
    Text<24, C>,
    Number<25, int32_t, C>,
    Number<26, int32_t, C>,
    Text<27, C>,
    Number<28, int32_t, C>,
    SetEight,
};

constexpr LegacyIsoTrackVtbl kLegacy = {
    Destroy<L>,
    Number<1, int32_t, L>,
    Number<2, int64_t, L>,
    Number<3, int32_t, L>,
    ReadBlocks<L>,
    Number<5, int32_t, L>,
    Number<6, int32_t, L>,
    WithArgument<7, L>,
    Number<8, int32_t, L>,
    SetTwo<9, L>,
    Nothing<10, L>,
    Text<11, L>,
    Number<12, int32_t, L>,
    Number<13, uint32_t, L>,
    Text<14, L>,
    Number<15, int32_t, L>,
    Text<16, L>,
    Number<17, int32_t, L>,
    Number<18, int32_t, L>,
    Text<19, L>,
};

// Shared by both generations: the slots whose place does not differ.
template <typename Track> bool CallBaseSlot(Track *track, int slot, intptr_t &answer)
{
    static char buffer[SECTOR_SIZE];
    static int argument;
    const auto *table = track->vtbl;
    uint32_t two[2] = {77, 77};
    switch (slot) {
    case 1:
        answer = table->blockSize(track);
        return true;
    case 2:
        answer = static_cast<intptr_t>(table->sizeInBlocks(track));
        return true;
    case 3:
        answer = table->openStream(track);
        return true;
    case 4:
        answer = table->readBlocks(track, buffer, 7);
        return true;
    case 5:
        answer = table->reserved5(track);
        return true;
    case 6:
        answer = table->reserved6(track);
        return true;
    case 7:
        answer = table->reserved7(track, &argument);
        return true;
    case 8:
        answer = table->reserved8(track);
        return true;
    case 9:
        table->reserved9(track, &two[0], &two[1]);
        answer = two[0] + two[1];
        return true;
    case 10:
        table->closeStream(track);
        answer = -10;
        return true;
    case 11:
        answer = reinterpret_cast<intptr_t>(table->lastError(track));
        return true;
    case 12:
        answer = table->reserved12(track);
        return true;
    default:
        return false;
    }
}

} // namespace

RecordingCurrentTrack MakeRecordingCurrentTrack(SlotLog &log)
{
    return {{&kCurrent}, &log};
}

RecordingLegacyTrack MakeRecordingLegacyTrack(SlotLog &log)
{
    return {{&kLegacy}, &log};
}

intptr_t CallCurrentSlot(IsoTrack *t, int slot)
{
    intptr_t answer = 0;
    if (CallBaseSlot(t, slot, answer))
        return answer;
    const IsoTrackVtbl *table = t->vtbl;
    uint32_t eight[8] = {77, 77, 77, 77, 77, 77, 77, 77};
    switch (slot) {
    case 13:
        return table->reserved13(t);
    case 14:
        return table->reserved14(t);
    case 15:
        return table->reserved15(t);
    case 16:
        return table->reserved16(t);
    case 17:
        return table->reserved17(t);
    case 18:
        return table->reserved18(t);
    case 19:
        return table->reserved19(t);
    case 20:
        return table->reserved20(t);
    case 21:
        return table->fsFlags(t);
    case 22:
        return reinterpret_cast<intptr_t>(table->volumeLabel(t));
    case 23:
        return table->reallocFailed(t);
    case 24:
        return reinterpret_cast<intptr_t>(table->placementWarning(t));
    case 25:
        return table->fileCount(t);
    case 26:
        return table->isMode2(t);
    case 27:
        return reinterpret_cast<intptr_t>(table->layoutError(t));
    case 28:
        return table->reserved28(t);
    case 29:
        table->reserved29(t, &eight[0], &eight[1], &eight[2], &eight[3], &eight[4], &eight[5], &eight[6],
                          &eight[7]);
        return std::accumulate(std::begin(eight), std::end(eight), intptr_t{0});
    default:
        return -1;
    }
}

intptr_t CallLegacySlot(LegacyIsoTrack *t, int slot)
{
    intptr_t answer = 0;
    if (CallBaseSlot(t, slot, answer))
        return answer;
    const LegacyIsoTrackVtbl *table = t->vtbl;
    switch (slot) {
    case 13:
        return table->fsFlags(t);
    case 14:
        return reinterpret_cast<intptr_t>(table->volumeLabel(t));
    case 15:
        return table->reallocFailed(t);
    case 16:
        return reinterpret_cast<intptr_t>(table->placementWarning(t));
    case 17:
        return table->fileCount(t);
    case 18:
        return table->isMode2(t);
    case 19:
        return reinterpret_cast<intptr_t>(table->layoutError(t));
    default:
        return -1;
    }
}
