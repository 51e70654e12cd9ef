// The stand-in library's tracks in both interface generations, and the
// burn and release calls that use them. Every slot answers something a test
// can recognise: the reserved slots answer 500 + slot number, so an
// adapter's default answer (0) is told apart from a forwarded one.
#include "FakeState.h"

#include <cinttypes>
#include <cstring>
#include <string>

namespace {

template <typename Interface> struct FakeTrack
{
    Interface base;
    uint32_t flags;
    char label[64];
};

template <typename Interface> FakeTrack<Interface> &Self(Interface *track)
{
    return *reinterpret_cast<FakeTrack<Interface> *>(track);
}

// The slots both generations have, under the same names.
template <typename Interface, typename Table> Table MakeTable()
{
    using T = Interface;
    Table table{};
    table.destroy = [](T *track, int deleteFlag) {
        fake::Log("track destroyed %p delete=%d", static_cast<void *>(track), deleteFlag);
        if (deleteFlag != 0)
            delete &Self(track);
    };
    table.blockSize = [](T *) -> int32_t { return SECTOR_SIZE; };
    table.sizeInBlocks = [](T *) -> int64_t { return 4321; };
    table.openStream = [](T *) -> int32_t {
        fake::Log("track opened");
        return 0;
    };
    table.readBlocks = [](T *, void *buffer, uint32_t maxBlocks) -> int32_t {
        std::memset(buffer, 'F', maxBlocks > 0 ? SECTOR_SIZE : 0);
        return maxBlocks > 0 ? 1 : 0;
    };
    table.reserved5 = [](T *) -> int32_t { return 505; };
    table.reserved6 = [](T *) -> int32_t { return 506; };
    table.reserved7 = [](T *, void *) -> int32_t { return 507; };
    table.reserved8 = [](T *) -> int32_t { return 508; };
    table.reserved9 = [](T *, uint32_t *a, uint32_t *b) { *a = *b = 509; };
    table.closeStream = [](T *) { fake::Log("track closed"); };
    table.lastError = [](T *) { return "fake last error"; };
    table.reserved12 = [](T *) -> int32_t { return 512; };
    table.fsFlags = [](T *track) { return Self(track).flags; };
    table.volumeLabel = [](T *track) -> const char * { return Self(track).label; };
    table.reallocFailed = [](T *) -> int32_t { return 23; };
    table.placementWarning = [](T *) { return "fake placement warning"; };
    table.fileCount = [](T *) -> int32_t { return 25; };
    table.isMode2 = [](T *) -> int32_t { return 26; };
    table.layoutError = [](T *) { return "fake layout error"; };
    return table;
}

[[maybe_unused]] const IsoTrackVtbl kCurrentTable = MakeTable<IsoTrack, IsoTrackVtbl>();
[[maybe_unused]] const LegacyIsoTrackVtbl kLegacyTable = MakeTable<LegacyIsoTrack, LegacyIsoTrackVtbl>();

template <typename Interface, typename Table>
void *MakeTrack(const Table *table, const char *label, uint32_t flags)
{
    auto *track = new FakeTrack<Interface>{{table}, flags, {}};
    std::strncpy(track->label, label != nullptr ? label : "", sizeof track->label - 1);
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
                  "block=%d size=%" PRId64 " open=%d read=%d r5=%d r6=%d r7=%d r8=%d r9=%u,%u r12=%d "
                  "error=%s fs=%u label=%s realloc=%d warning=%s files=%d mode2=%d layout=%s",
                  table->blockSize(track), table->sizeInBlocks(track), table->openStream(track),
                  table->readBlocks(track, buffer, 1), table->reserved5(track), table->reserved6(track),
                  table->reserved7(track, nullptr), table->reserved8(track), a, b, table->reserved12(track),
                  table->lastError(track), table->fsFlags(track), table->volumeLabel(track),
                  table->reallocFailed(track), table->placementWarning(track), table->fileCount(track),
                  table->isMode2(track), table->layoutError(track));
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
    void *track = fake::LegacyTracks() ? MakeTrack<LegacyIsoTrack>(&kLegacyTable, label, flags)
                                       : MakeTrack<IsoTrack>(&kCurrentTable, label, flags);
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
