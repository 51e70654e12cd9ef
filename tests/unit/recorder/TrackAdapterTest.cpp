// The two track adapters over a track that answers every slot with something
// recognisable: the reserved slots answer 500 and more, so an adapter's own
// default (0) is told apart from a forwarded answer.
#include "recorder/CTrackForLegacyLibrary.h"
#include "recorder/CTrackFromLegacyLibrary.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>

namespace {

template <typename Interface> struct AnsweringTrack
{
    Interface base;
    int destroys = 0;
    int lastDeleteFlag = -1;
    int closes = 0;
};

// The slots both generations have, under the same names.
template <typename Interface, typename Table> Table AnsweringTable()
{
    using T = Interface;
    Table table{};
    table.destroy = [](T *track, int deleteFlag) {
        auto *self = reinterpret_cast<AnsweringTrack<T> *>(track);
        ++self->destroys;
        self->lastDeleteFlag = deleteFlag;
    };
    table.blockSize = [](T *) -> int32_t { return 2048; };
    table.sizeInBlocks = [](T *) -> int64_t { return 4321; };
    table.openStream = [](T *) -> int32_t { return 3; };
    table.readBlocks = [](T *, void *buffer, uint32_t maxBlocks) -> int32_t {
        *static_cast<char *>(buffer) = 'F';
        return static_cast<int32_t>(maxBlocks) + 400;
    };
    table.reserved5 = [](T *) -> int32_t { return 505; };
    table.reserved6 = [](T *) -> int32_t { return 506; };
    table.reserved7 = [](T *, void *) -> int32_t { return 507; };
    table.reserved8 = [](T *) -> int32_t { return 508; };
    table.reserved9 = [](T *, uint32_t *a, uint32_t *b) { *a = *b = 509; };
    table.closeStream = [](T *track) { ++reinterpret_cast<AnsweringTrack<T> *>(track)->closes; };
    table.lastError = [](T *) { return "last error"; };
    table.reserved12 = [](T *) -> int32_t { return 512; };
    table.fsFlags = [](T *) -> uint32_t { return 21; };
    table.volumeLabel = [](T *) { return "LABEL"; };
    table.reallocFailed = [](T *) -> int32_t { return 23; };
    table.placementWarning = [](T *) { return "placement warning"; };
    table.fileCount = [](T *) -> int32_t { return 25; };
    table.isMode2 = [](T *) -> int32_t { return 26; };
    table.layoutError = [](T *) { return "layout error"; };
    return table;
}

const IsoTrackVtbl kCurrentTable = AnsweringTable<IsoTrack, IsoTrackVtbl>();
const LegacyIsoTrackVtbl kLegacyTable = AnsweringTable<LegacyIsoTrack, LegacyIsoTrackVtbl>();

// Every slot both generations have, called through the interface the
// track is seen in.
template <typename Interface> std::string Describe(Interface *track)
{
    const auto *table = track->vtbl;
    char buffer[2048] = {};
    uint32_t a = 1;
    uint32_t b = 1;
    table->reserved9(track, &a, &b);
    const int32_t read = table->readBlocks(track, buffer, 7);
    char text[400];
    std::snprintf(text, sizeof text,
                  "block=%d size=%" PRId64 " open=%d read=%d,%c r5=%d r6=%d r7=%d r8=%d r9=%u,%u r12=%d "
                  "error=%s fs=%u label=%s realloc=%d warning=%s files=%d mode2=%d layout=%s",
                  table->blockSize(track), table->sizeInBlocks(track), table->openStream(track), read,
                  buffer[0], table->reserved5(track), table->reserved6(track),
                  table->reserved7(track, nullptr), table->reserved8(track), a, b, table->reserved12(track),
                  table->lastError(track), table->fsFlags(track), table->volumeLabel(track),
                  table->reallocFailed(track), table->placementWarning(track), table->fileCount(track),
                  table->isMode2(track), table->layoutError(track));
    table->closeStream(track);
    return text;
}

constexpr char kForwarded[] = "block=2048 size=4321 open=3 read=407,F r5=0 r6=0 r7=0 r8=0 r9=0,0 r12=0 "
                              "error=last error fs=21 label=LABEL realloc=23 warning=placement warning "
                              "files=25 mode2=26 layout=layout error";

TEST(TrackAdapters, EachAdapterForwardsTheSharedSlotsAndAnswersTheReservedOnesItself)
{
    AnsweringTrack<LegacyIsoTrack> legacy{{&kLegacyTable}};
    IsoTrack *current = CTrackFromLegacyLibrary::Create(&legacy.base, TrackOwnership::Borrowed);
    EXPECT_EQ(Describe(current), kForwarded);
    EXPECT_EQ(legacy.closes, 1);
    for (auto slot : {&IsoTrackVtbl::reserved13, &IsoTrackVtbl::reserved14, &IsoTrackVtbl::reserved15,
                      &IsoTrackVtbl::reserved16, &IsoTrackVtbl::reserved17, &IsoTrackVtbl::reserved18,
                      &IsoTrackVtbl::reserved19, &IsoTrackVtbl::reserved20, &IsoTrackVtbl::reserved28})
        EXPECT_EQ((current->vtbl->*slot)(current), 0);
    current->vtbl->destroy(current, 1);

    AnsweringTrack<IsoTrack> program{{&kCurrentTable}};
    LegacyIsoTrack *view = CTrackForLegacyLibrary::Create(&program.base, TrackOwnership::Borrowed);
    EXPECT_EQ(Describe(view), kForwarded);
    EXPECT_EQ(program.closes, 1);
    view->vtbl->destroy(view, 1);
}

TEST(TrackAdapters, AnOwningAdapterDestroysTheWrappedTrackOnceAndABorrowingOneNever)
{
    for (const TrackOwnership ownership : {TrackOwnership::Owned, TrackOwnership::Borrowed}) {
        const bool owned = ownership == TrackOwnership::Owned;
        SCOPED_TRACE(owned ? "owned" : "borrowed");
        AnsweringTrack<LegacyIsoTrack> legacy{{&kLegacyTable}};
        AnsweringTrack<IsoTrack> program{{&kCurrentTable}};
        IsoTrack *current = CTrackFromLegacyLibrary::Create(&legacy.base, ownership);
        LegacyIsoTrack *view = CTrackForLegacyLibrary::Create(&program.base, ownership);
        // Ended first and freed afterwards, as some callers do.
        for (const int deleteFlag : {0, 1}) {
            current->vtbl->destroy(current, deleteFlag);
            view->vtbl->destroy(view, deleteFlag);
        }
        EXPECT_EQ(legacy.destroys, owned ? 1 : 0);
        EXPECT_EQ(legacy.lastDeleteFlag, owned ? 1 : -1);
        EXPECT_EQ(program.destroys, owned ? 1 : 0);
        EXPECT_EQ(program.lastDeleteFlag, owned ? 1 : -1);
    }
    EXPECT_EQ(CTrackFromLegacyLibrary::Create(nullptr, TrackOwnership::Owned), nullptr);
    EXPECT_EQ(CTrackForLegacyLibrary::Create(nullptr, TrackOwnership::Owned), nullptr);
}

} // namespace
