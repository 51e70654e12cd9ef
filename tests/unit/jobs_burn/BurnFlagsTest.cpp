#include "jobs/setup/BurnFlags.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace jobs;

TEST(ComputeBurnFlags, AddsTheFixedBitsMirrorsVerifyAndDropsTheNoAskBit)
{
    const uint32_t noAskProofSimulate = 0x80000000u | 0x40 | 0x2;
    EXPECT_EQ(ComputeBurnFlags(noAskProofSimulate, true), 0x190Cu + 0x40 + 0x2 + 0x400);
    EXPECT_EQ(ComputeBurnFlags(noAskProofSimulate | 0x400, false), 0x190Cu + 0x40 + 0x2);
    // No-eject and the DVD-ROM book type reach the library unchanged.
    EXPECT_EQ(ComputeBurnFlags(0x200 | 0x4000, false), 0x190Cu | 0x200 | 0x4000);
}

TEST(ComputeIsoTrackFlags, ListsFileSystemsInFixedOrderAndAddsReallocation)
{
    IsoTrackFlags dvd = ComputeIsoTrackFlags(0x18, true);
    EXPECT_EQ(dvd.flags, 0x58u);
    EXPECT_EQ(dvd.flagList, "ISO UDF Realloc ");

    IsoTrackFlags all = ComputeIsoTrackFlags(0x1B, false);
    EXPECT_EQ(all.flags, 0x1Bu);
    EXPECT_EQ(all.flagList, "ISO UDF Joliet Mode 2 ");

    EXPECT_EQ(ComputeIsoTrackFlags(0, false).flagList, "");
}
