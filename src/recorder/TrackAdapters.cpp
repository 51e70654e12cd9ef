// The adapters that hand tracks across the boundary: a library older than
// 5.5.9.16 speaks the legacy track interface, so its tracks are presented to
// the program in the current one and the program's tracks to it in the
// legacy one.
#include "recorder/LibraryAdapters.h"

#include "recorder/CTrackForLegacyLibrary.h"
#include "recorder/CTrackFromLegacyLibrary.h"
#include "recorder/ExportCall.h"
#include "recorder/LibraryVersion.h"

IsoTrack *NeroCreateIsoTrackEx(IsoItem *root, const char *label, uint32_t flags)
{
    const auto create = g_hRecLib.Symbol<PFN_NeroCreateIsoTrackEx>("NeroCreateIsoTrackEx");
    if (create == nullptr)
        return nullptr;
    IsoTrack *track = create(root, label, flags);
    // A null track stays null: a wrapped null would later be called through.
    if (track == nullptr || !IsLibraryOlderThan5_5_9_16())
        return track;
    auto *legacyTrack = reinterpret_cast<LegacyIsoTrack *>(track);
    IsoTrack *adapter = CTrackFromLegacyLibrary::Create(legacyTrack, TrackOwnership::Owned);
    if (adapter == nullptr) {
        // The library still speaks to its own track in its own interface.
        CallExportIfPresent<PFN_NeroFreeIsoTrack>("NeroFreeIsoTrack", track);
    }
    return adapter;
}

IsoTrack *NeroCreateIsoTrackFromImage(const char *path)
{
    const auto create = g_hRecLib.Symbol<PFN_NeroCreateIsoTrackFromImage>("NeroCreateIsoTrackFromImage");
    return create != nullptr ? create(path) : nullptr;
}

int NeroBurn(RecDeviceHandle device, int format, void *writeRecord, uint32_t flags, uint32_t speedKBs,
             RecProgress *progress)
{
    const auto burn = g_hRecLib.Symbol<PFN_NeroBurn>("NeroBurn");
    if (burn == nullptr)
        return 1;
    auto *record = static_cast<WriteRecord *>(writeRecord);
    if (record == nullptr || record->track == nullptr || !IsLibraryOlderThan5_5_9_16())
        return burn(device, format, writeRecord, flags, speedKBs, progress);

    IsoTrack *programTrack = record->track;
    LegacyIsoTrack *adapter = CTrackForLegacyLibrary::Create(programTrack, TrackOwnership::Borrowed);
    // Handing a current track to a legacy library would have it call slots
    // that mean something else.
    if (adapter == nullptr)
        return BURN_FAILED;
    record->track = reinterpret_cast<IsoTrack *>(adapter);
    const int result = burn(device, format, writeRecord, flags, speedKBs, progress);
    adapter->vtbl->destroy(adapter, 1);
    record->track = programTrack;
    return result;
}

void NeroFreeIsoTrack(IsoTrack *track)
{
    const auto release = g_hRecLib.Symbol<PFN_NeroFreeIsoTrack>("NeroFreeIsoTrack");
    if (release == nullptr)
        return;
    if (track == nullptr || !IsLibraryOlderThan5_5_9_16()) {
        release(track);
        return;
    }
    // When the library destroys this adapter, the adapter destroys the
    // program's track, which for a library track is the adapter around it.
    LegacyIsoTrack *adapter = CTrackForLegacyLibrary::Create(track, TrackOwnership::Owned);
    if (adapter == nullptr) {
        track->vtbl->destroy(track, 1);
        return;
    }
    release(reinterpret_cast<IsoTrack *>(adapter));
}
