#include "recorder/CTrackForLegacyLibrary.h"

#include "recorder/TrackSlotDefaults.h"

#include <new>

namespace {

using namespace trackslots;

CTrackForLegacyLibrary *AdapterOf(LegacyIsoTrack *track)
{
    return reinterpret_cast<CTrackForLegacyLibrary *>(track);
}

// Calls the wrapped track's slot with the caller's arguments and hands its
// result back unchanged.
template <auto CurrentSlot, typename Result, typename... Args>
Result Forward(LegacyIsoTrack *track, Args... args)
{
    IsoTrack *wrapped = AdapterOf(track)->wrapped;
    return (wrapped->vtbl->*CurrentSlot)(wrapped, args...);
}

void Destroy(LegacyIsoTrack *track, int deleteFlag)
{
    CTrackForLegacyLibrary *adapter = AdapterOf(track);
    if (adapter->ownsWrapped != 0 && adapter->wrapped != nullptr)
        adapter->wrapped->vtbl->destroy(adapter->wrapped, 1);
    // A second destroy must not reach the wrapped track again.
    adapter->wrapped = nullptr;
    if (deleteFlag != 0)
        delete adapter;
}

constexpr LegacyIsoTrackVtbl kLegacyOverCurrent = {
    .destroy = Destroy,
    .blockSize = Forward<&IsoTrackVtbl::blockSize>,
    .sizeInBlocks = Forward<&IsoTrackVtbl::sizeInBlocks>,
    .openStream = Forward<&IsoTrackVtbl::openStream>,
    .readBlocks = Forward<&IsoTrackVtbl::readBlocks>,
    .reserved5 = ReturnZero<LegacyIsoTrack>,
    .reserved6 = ReturnZero<LegacyIsoTrack>,
    .reserved7 = ReturnZeroIgnoringArgument<LegacyIsoTrack>,
    .reserved8 = ReturnZero<LegacyIsoTrack>,
    .reserved9 = ClearTwo<LegacyIsoTrack>,
    .closeStream = Forward<&IsoTrackVtbl::closeStream>,
    .lastError = Forward<&IsoTrackVtbl::lastError>,
    .reserved12 = ReturnZero<LegacyIsoTrack>,
    .fsFlags = Forward<&IsoTrackVtbl::fsFlags>,
    .volumeLabel = Forward<&IsoTrackVtbl::volumeLabel>,
    .reallocFailed = Forward<&IsoTrackVtbl::reallocFailed>,
    .placementWarning = Forward<&IsoTrackVtbl::placementWarning>,
    .fileCount = Forward<&IsoTrackVtbl::fileCount>,
    .isMode2 = Forward<&IsoTrackVtbl::isMode2>,
    .layoutError = Forward<&IsoTrackVtbl::layoutError>,
};

} // namespace

LegacyIsoTrack *CTrackForLegacyLibrary::Create(IsoTrack *track, TrackOwnership ownership)
{
    if (track == nullptr)
        return nullptr;
    auto *adapter = new (std::nothrow)
        CTrackForLegacyLibrary{{&kLegacyOverCurrent}, track, ownership == TrackOwnership::Owned ? 1 : 0};
    return adapter != nullptr ? &adapter->base : nullptr;
}
