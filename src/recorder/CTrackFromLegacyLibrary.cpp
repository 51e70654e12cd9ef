#include "recorder/CTrackFromLegacyLibrary.h"

#include "recorder/TrackSlotDefaults.h"

#include <new>

namespace {

using namespace trackslots;

CTrackFromLegacyLibrary *AdapterOf(IsoTrack *track)
{
    return reinterpret_cast<CTrackFromLegacyLibrary *>(track);
}

// Calls the wrapped track's slot with the caller's arguments and hands its
// result back unchanged.
template <auto LegacySlot, typename Result, typename... Args> Result Forward(IsoTrack *track, Args... args)
{
    LegacyIsoTrack *wrapped = AdapterOf(track)->wrapped;
    return (wrapped->vtbl->*LegacySlot)(wrapped, args...);
}

void Destroy(IsoTrack *track, int deleteFlag)
{
    CTrackFromLegacyLibrary *adapter = AdapterOf(track);
    if (adapter->ownsWrapped != 0 && adapter->wrapped != nullptr)
        adapter->wrapped->vtbl->destroy(adapter->wrapped, 1);
    // A second destroy must not reach the wrapped track again.
    adapter->wrapped = nullptr;
    if (deleteFlag != 0)
        delete adapter;
}

constexpr IsoTrackVtbl kCurrentOverLegacy = {
    .destroy = Destroy,
    .blockSize = Forward<&LegacyIsoTrackVtbl::blockSize>,
    .sizeInBlocks = Forward<&LegacyIsoTrackVtbl::sizeInBlocks>,
    .openStream = Forward<&LegacyIsoTrackVtbl::openStream>,
    .readBlocks = Forward<&LegacyIsoTrackVtbl::readBlocks>,
    .reserved5 = ReturnZero<IsoTrack>,
    .reserved6 = ReturnZero<IsoTrack>,
    .reserved7 = ReturnZeroIgnoringArgument<IsoTrack>,
    .reserved8 = ReturnZero<IsoTrack>,
    .reserved9 = ClearTwo<IsoTrack>,
    .closeStream = Forward<&LegacyIsoTrackVtbl::closeStream>,
    .lastError = Forward<&LegacyIsoTrackVtbl::lastError>,
    .reserved12 = ReturnZero<IsoTrack>,
    .reserved13 = ReturnZero<IsoTrack>,
    .reserved14 = ReturnZero<IsoTrack>,
    .reserved15 = ReturnZero<IsoTrack>,
    .reserved16 = ReturnZero<IsoTrack>,
    .reserved17 = ReturnZero<IsoTrack>,
    .reserved18 = ReturnZero<IsoTrack>,
    .reserved19 = ReturnZero<IsoTrack>,
    .reserved20 = ReturnZero<IsoTrack>,
    .fsFlags = Forward<&LegacyIsoTrackVtbl::fsFlags>,
    .volumeLabel = Forward<&LegacyIsoTrackVtbl::volumeLabel>,
    .reallocFailed = Forward<&LegacyIsoTrackVtbl::reallocFailed>,
    .placementWarning = Forward<&LegacyIsoTrackVtbl::placementWarning>,
    .fileCount = Forward<&LegacyIsoTrackVtbl::fileCount>,
    .isMode2 = Forward<&LegacyIsoTrackVtbl::isMode2>,
    .layoutError = Forward<&LegacyIsoTrackVtbl::layoutError>,
    .reserved28 = ReturnZero<IsoTrack>,
    .reserved29 = ClearEight<IsoTrack>,
};

} // namespace

IsoTrack *CTrackFromLegacyLibrary::Create(LegacyIsoTrack *track, TrackOwnership ownership)
{
    if (track == nullptr)
        return nullptr;
    auto *adapter = new (std::nothrow)
        CTrackFromLegacyLibrary{{&kCurrentOverLegacy}, track, ownership == TrackOwnership::Owned ? 1 : 0};
    return adapter != nullptr ? &adapter->base : nullptr;
}
