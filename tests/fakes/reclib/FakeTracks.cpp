// The stand-in library's tracks in both interface generations, and the
// burn and release calls that use them. Every slot answers something a test
// can recognise: the base part's reserved slots answer 500 + slot number,
// so a default answer (0) of an adapter is told apart from a forwarded one.
#include "FakeState.h"

#include <cinttypes>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

struct TrackData
{
    uint32_t flags = 0;
    char label[64] = {};
};

template <typename Interface> struct FakeTrack
{
    Interface base;
    TrackData data;
};

using CurrentTrack = FakeTrack<IsoTrack>;
using LegacyTrack = FakeTrack<LegacyIsoTrack>;

template <typename Interface> TrackData &DataOf(Interface *track)
{
    return reinterpret_cast<FakeTrack<Interface> *>(track)->data;
}

template <typename Interface> void Destroy(Interface *track, int deleteFlag)
{
    fake::Log("track destroyed %p delete=%d", static_cast<void *>(track), deleteFlag);
    if (deleteFlag != 0)
        delete reinterpret_cast<FakeTrack<Interface> *>(track);
}

template <typename T> int32_t BlockSize(T *)
{
    return SECTOR_SIZE;
}
template <typename T> int64_t SizeInBlocks(T *)
{
    return 4321;
}
template <typename T> int32_t OpenStream(T *)
{
    fake::Log("track opened");
    return 0;
}
template <typename T> int32_t ReadBlocks(T *, void *buffer, uint32_t maxBlocks)
{
    if (maxBlocks == 0)
        return 0;
    std::memset(buffer, 'F', SECTOR_SIZE);
    return 1;
}
template <typename T, int Slot> int32_t Reserved(T *)
{
    return 500 + Slot;
}
template <typename T> int32_t Reserved7(T *, void *)
{
    return 507;
}
template <typename T> void Reserved9(T *, uint32_t *a, uint32_t *b)
{
    *a = 509;
    *b = 509;
}
template <typename T> void CloseStream(T *)
{
    fake::Log("track closed");
}
template <typename T> const char *LastError(T *)
{
    return "fake last error";
}
template <typename T> uint32_t FsFlags(T *t)
{
    return DataOf(t).flags;
}
template <typename T> const char *VolumeLabel(T *t)
{
    return DataOf(t).label;
}
template <typename T> int32_t ReallocFailed(T *)
{
    return 23;
}
template <typename T> const char *PlacementWarning(T *)
{
    return "fake placement warning";
}
template <typename T> int32_t FileCount(T *)
{
    return 25;
}
template <typename T> int32_t IsMode2(T *)
{
    return 26;
}
template <typename T> const char *LayoutError(T *)
{
    return "fake layout error";
}
void Reserved29(IsoTrack *, uint32_t *a, uint32_t *, uint32_t *, uint32_t *, uint32_t *, uint32_t *,
                uint32_t *, uint32_t *h)
{
    *a = 529;
    *h = 529;
}

using C = IsoTrack;
using L = LegacyIsoTrack;

[[maybe_unused]] constexpr IsoTrackVtbl kCurrentTable = {
    Destroy<C>,          BlockSize<C>,    SizeInBlocks<C>, OpenStream<C>,   ReadBlocks<C>,   Reserved<C, 5>,
    Reserved<C, 6>,      Reserved7<C>,    Reserved<C, 8>,  Reserved9<C>,    CloseStream<C>,  LastError<C>,
    Reserved<C, 12>,     Reserved<C, 13>, Reserved<C, 14>, Reserved<C, 15>, Reserved<C, 16>, Reserved<C, 17>,
    Reserved<C, 18>,     Reserved<C, 19>, Reserved<C, 20>, FsFlags<C>,      VolumeLabel<C>,  ReallocFailed<C>,
    PlacementWarning<C>, FileCount<C>,    IsMode2<C>,      LayoutError<C>,  Reserved<C, 28>, Reserved29,
};

[[maybe_unused]] constexpr LegacyIsoTrackVtbl kLegacyTable = {
    Destroy<L>,       BlockSize<L>,        SizeInBlocks<L>, OpenStream<L>,  ReadBlocks<L>,
    Reserved<L, 5>,   Reserved<L, 6>,      Reserved7<L>,    Reserved<L, 8>, Reserved9<L>,
    CloseStream<L>,   LastError<L>,        Reserved<L, 12>, FsFlags<L>,     VolumeLabel<L>,
    ReallocFailed<L>, PlacementWarning<L>, FileCount<L>,    IsMode2<L>,     LayoutError<L>,
};

template <typename Track, typename Vtbl>
Track *MakeTrack(const Vtbl *table, const char *label, uint32_t flags)
{
    auto *track = new Track{{table}, {}};
    track->data.flags = flags;
    std::strncpy(track->data.label, label != nullptr ? label : "", sizeof track->data.label - 1);
    return track;
}

// Uses every slot of a track the way a burn does and describes the answers.
template <typename Interface> std::string DescribeTrack(Interface *track)
{
    const auto *table = track->vtbl;
    char buffer[SECTOR_SIZE];
    uint32_t a = 1;
    uint32_t b = 1;
    table->reserved9(track, &a, &b);
    char text[400];
    std::snprintf(text, sizeof text,
                  "block=%d size=%" PRId64 " open=%d read=%d r5=%d r7=%d r9=%u,%u r12=%d "
                  "error=%s fs=%u label=%s realloc=%d warning=%s files=%d mode2=%d layout=%s",
                  table->blockSize(track), table->sizeInBlocks(track), table->openStream(track),
                  table->readBlocks(track, buffer, 1), table->reserved5(track),
                  table->reserved7(track, nullptr), a, b, table->reserved12(track), table->lastError(track),
                  table->fsFlags(track), table->volumeLabel(track), table->reallocFailed(track),
                  table->placementWarning(track), table->fileCount(track), table->isMode2(track),
                  table->layoutError(track));
    table->closeStream(track);
    return text;
}

} // namespace

#if FAKE_HAS_SURFACE
FAKE_EXPORT IsoTrack *NeroCreateIsoTrackEx(IsoItem *root, const char *label, uint32_t flags)
{
    // A library refuses a compilation without a root.
    if (root == nullptr) {
        fake::Log("NeroCreateIsoTrackEx refused");
        return nullptr;
    }
    void *track = fake::LegacyTracks()
                      ? static_cast<void *>(MakeTrack<LegacyTrack>(&kLegacyTable, label, flags))
                      : static_cast<void *>(MakeTrack<CurrentTrack>(&kCurrentTable, label, flags));
    fake::Log("NeroCreateIsoTrackEx label=%s flags=%u legacy=%d -> %p", label, flags, fake::LegacyTracks(),
              track);
    return static_cast<IsoTrack *>(track);
}

FAKE_EXPORT int NeroBurn(RecDeviceHandle device, int format, void *writeRecord, uint32_t flags,
                         uint32_t speedKBs, RecProgress *progress)
{
    auto *record = static_cast<WriteRecord *>(writeRecord);
    void *track = record != nullptr ? static_cast<void *>(record->track) : nullptr;
    std::string described = "(none)";
    if (track != nullptr) {
        described = fake::LegacyTracks() ? DescribeTrack(static_cast<LegacyIsoTrack *>(track))
                                         : DescribeTrack(static_cast<IsoTrack *>(track));
    }
    fake::Log("NeroBurn device=%p format=%d flags=%u speed=%u progress=%p track=%p %s",
              static_cast<void *>(device), format, flags, speedKBs, static_cast<void *>(progress), track,
              described.c_str());
    return BURN_OK;
}

FAKE_EXPORT void NeroFreeIsoTrack(IsoTrack *track)
{
    fake::Log("NeroFreeIsoTrack %p", static_cast<void *>(track));
    if (track == nullptr)
        return;
    if (fake::LegacyTracks()) {
        auto *legacy = reinterpret_cast<LegacyIsoTrack *>(track);
        legacy->vtbl->destroy(legacy, 1);
    } else {
        track->vtbl->destroy(track, 1);
    }
}
#endif
