// Who destroys what when a track adapter ends. What the adapters forward is
// checked against a legacy stand-in library in the library tests.
#include "recorder/CTrackForLegacyLibrary.h"
#include "recorder/CTrackFromLegacyLibrary.h"

#include <gtest/gtest.h>

namespace {

struct Destroys
{
    int count = 0;
    int lastFlag = -1;
};

// A wrapped track that only counts its destruction.
template <typename Track> struct CountedTrack
{
    Track base;
    Destroys *destroys;

    static void Destroy(Track *track, int deleteFlag)
    {
        Destroys *destroys = reinterpret_cast<CountedTrack *>(track)->destroys;
        ++destroys->count;
        destroys->lastFlag = deleteFlag;
    }
};

// Wraps a counted track of the adapter's wrapped generation, destroys the
// adapter without and then with the delete flag (as a caller that first
// ends and then frees an object would), and reports the wrapped track's end.
template <typename Adapter, typename Wrapped, typename Slots> Destroys DestroyTwice(TrackOwnership ownership)
{
    Destroys destroys;
    Slots slots{};
    slots.destroy = CountedTrack<Wrapped>::Destroy;
    CountedTrack<Wrapped> wrapped{{&slots}, &destroys};
    auto *adapter = Adapter::Create(&wrapped.base, ownership);
    adapter->vtbl->destroy(adapter, 0);
    adapter->vtbl->destroy(adapter, 1);
    return destroys;
}

TEST(TrackAdapters, AnOwningAdapterDestroysTheWrappedTrackOnceAndABorrowingOneNever)
{
    for (const TrackOwnership ownership : {TrackOwnership::Owned, TrackOwnership::Borrowed}) {
        const bool owned = ownership == TrackOwnership::Owned;
        SCOPED_TRACE(owned ? "owned" : "borrowed");
        for (const Destroys &destroys :
             {DestroyTwice<CTrackFromLegacyLibrary, LegacyIsoTrack, LegacyIsoTrackVtbl>(ownership),
              DestroyTwice<CTrackForLegacyLibrary, IsoTrack, IsoTrackVtbl>(ownership)}) {
            EXPECT_EQ(destroys.count, owned ? 1 : 0);
            EXPECT_EQ(destroys.lastFlag, owned ? 1 : -1);
        }
    }
}

TEST(TrackAdapters, NullTrackIsNotWrapped)
{
    EXPECT_EQ(CTrackFromLegacyLibrary::Create(nullptr, TrackOwnership::Owned), nullptr);
    EXPECT_EQ(CTrackForLegacyLibrary::Create(nullptr, TrackOwnership::Owned), nullptr);
}

} // namespace
