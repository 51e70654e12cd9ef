// The two track adapters: which slot reaches which slot of the wrapped
// track, the default answers, and who destroys what.
#include "RecordingTrack.h"

#include "recorder/CTrackForLegacyLibrary.h"
#include "recorder/CTrackFromLegacyLibrary.h"

#include <gtest/gtest.h>

namespace {

constexpr int kDefault = -1;

struct SlotRoute
{
    int adapterSlot;
    int wrappedSlot; // kDefault: answered by the adapter itself
};

// The current interface over a legacy track: slots 1 to 29.
constexpr SlotRoute kFromLegacyRoutes[] = {
    {1, 1},         {2, 2},         {3, 3},         {4, 4},         {5, kDefault},  {6, kDefault},
    {7, kDefault},  {8, kDefault},  {9, kDefault},  {10, 10},       {11, 11},       {12, kDefault},
    {13, kDefault}, {14, kDefault}, {15, kDefault}, {16, kDefault}, {17, kDefault}, {18, kDefault},
    {19, kDefault}, {20, kDefault}, {21, 13},       {22, 14},       {23, 15},       {24, 16},
    {25, 17},       {26, 18},       {27, 19},       {28, kDefault}, {29, kDefault},
};

// The legacy interface over a current track: slots 1 to 19.
constexpr SlotRoute kForLegacyRoutes[] = {
    {1, 1},        {2, 2},        {3, 3},   {4, 4},   {5, kDefault},  {6, kDefault}, {7, kDefault},
    {8, kDefault}, {9, kDefault}, {10, 10}, {11, 11}, {12, kDefault}, {13, 21},      {14, 22},
    {15, 23},      {16, 24},      {17, 25}, {18, 26}, {19, 27},
};

TEST(CTrackFromLegacyLibrary, RoutesEverySlotAsTheLegacyInterfaceAllows)
{
    SlotLog log;
    RecordingLegacyTrack legacy = MakeRecordingLegacyTrack(log);
    IsoTrack *adapter = CTrackFromLegacyLibrary::Create(&legacy.base, TrackOwnership::Borrowed);
    ASSERT_NE(adapter, nullptr);
    for (const SlotRoute &route : kFromLegacyRoutes) {
        SCOPED_TRACE(route.adapterSlot);
        log.calls.clear();
        const intptr_t answer = CallCurrentSlot(adapter, route.adapterSlot);
        if (route.wrappedSlot == kDefault) {
            EXPECT_TRUE(log.calls.empty());
            EXPECT_EQ(answer, 0);
        } else {
            EXPECT_EQ(log.calls, std::vector<int>{route.wrappedSlot});
            EXPECT_EQ(answer, CallLegacySlot(&legacy.base, route.wrappedSlot));
        }
    }
    adapter->vtbl->destroy(adapter, 1);
}

TEST(CTrackForLegacyLibrary, RoutesEverySlotToItsCurrentCounterpart)
{
    SlotLog log;
    RecordingCurrentTrack current = MakeRecordingCurrentTrack(log);
    LegacyIsoTrack *adapter = CTrackForLegacyLibrary::Create(&current.base, TrackOwnership::Borrowed);
    ASSERT_NE(adapter, nullptr);
    for (const SlotRoute &route : kForLegacyRoutes) {
        SCOPED_TRACE(route.adapterSlot);
        log.calls.clear();
        const intptr_t answer = CallLegacySlot(adapter, route.adapterSlot);
        if (route.wrappedSlot == kDefault) {
            EXPECT_TRUE(log.calls.empty());
            EXPECT_EQ(answer, 0);
        } else {
            EXPECT_EQ(log.calls, std::vector<int>{route.wrappedSlot});
            EXPECT_EQ(answer, CallCurrentSlot(&current.base, route.wrappedSlot));
        }
    }
    adapter->vtbl->destroy(adapter, 1);
}

TEST(TrackAdapters, ForwardTheCallersArgumentsUnchanged)
{
    SlotLog log;
    RecordingLegacyTrack legacy = MakeRecordingLegacyTrack(log);
    IsoTrack *adapter = CTrackFromLegacyLibrary::Create(&legacy.base, TrackOwnership::Borrowed);
    char buffer[SECTOR_SIZE];
    EXPECT_EQ(adapter->vtbl->readBlocks(adapter, buffer, 33), 1033);
    EXPECT_EQ(log.lastArgument, buffer);
    adapter->vtbl->destroy(adapter, 1);
}

TEST(TrackAdapters, NullTrackIsNotWrapped)
{
    EXPECT_EQ(CTrackFromLegacyLibrary::Create(nullptr, TrackOwnership::Owned), nullptr);
    EXPECT_EQ(CTrackForLegacyLibrary::Create(nullptr, TrackOwnership::Owned), nullptr);
}

TEST(TrackAdapters, OwningAdapterDestroysTheWrappedTrackOnceWithTheDeleteFlag)
{
    SlotLog fromLog;
    RecordingLegacyTrack legacy = MakeRecordingLegacyTrack(fromLog);
    IsoTrack *from = CTrackFromLegacyLibrary::Create(&legacy.base, TrackOwnership::Owned);
    // Destroying without the delete flag and then with it (as a caller
    // that first ends and then frees an object would) reaches the wrapped
    // track once only.
    from->vtbl->destroy(from, 0);
    from->vtbl->destroy(from, 1);
    EXPECT_EQ(fromLog.destroyCount, 1);
    EXPECT_EQ(fromLog.lastDeleteFlag, 1);

    SlotLog forLog;
    RecordingCurrentTrack current = MakeRecordingCurrentTrack(forLog);
    LegacyIsoTrack *forAdapter = CTrackForLegacyLibrary::Create(&current.base, TrackOwnership::Owned);
    forAdapter->vtbl->destroy(forAdapter, 1);
    EXPECT_EQ(forLog.destroyCount, 1);
    EXPECT_EQ(forLog.lastDeleteFlag, 1);
}

TEST(TrackAdapters, BorrowingAdapterLeavesTheWrappedTrackAlive)
{
    SlotLog log;
    RecordingCurrentTrack current = MakeRecordingCurrentTrack(log);
    LegacyIsoTrack *adapter = CTrackForLegacyLibrary::Create(&current.base, TrackOwnership::Borrowed);
    adapter->vtbl->destroy(adapter, 1);
    EXPECT_EQ(log.destroyCount, 0);
}

TEST(TrackAdapters, StackedAdaptersUnwindInOrder)
{
    // What a release through a legacy library does: the library destroys an
    // owning legacy view of the program's adapter around the library track.
    SlotLog log;
    RecordingLegacyTrack libraryTrack = MakeRecordingLegacyTrack(log);
    IsoTrack *programTrack = CTrackFromLegacyLibrary::Create(&libraryTrack.base, TrackOwnership::Owned);
    LegacyIsoTrack *handedOver = CTrackForLegacyLibrary::Create(programTrack, TrackOwnership::Owned);
    EXPECT_EQ(CallLegacySlot(handedOver, 13), 1013);
    EXPECT_EQ(log.calls, std::vector<int>{13});
    handedOver->vtbl->destroy(handedOver, 1);
    EXPECT_EQ(log.destroyCount, 1);
}

} // namespace
