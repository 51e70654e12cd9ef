#include "settings/FsFlagsSettings.h"
#include "settings/OtherSettingsValues.h"
#include "settings/SettingsFlags.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(FlagWords, FreshValuesGiveTheDefaultWords)
{
    EXPECT_EQ(FsFlagsSettings().GetFsFlags() | FS_REALLOC, 0x58);
    EXPECT_EQ(OtherSettingsValues().GetBurnFlags(), 0x40);
    EXPECT_EQ(OtherSettingsValues().GetMoreFlags(), 0);
}

TEST(FlagWords, FsFlagsCarryTheirFourBitsOnly)
{
    FsFlagsSettings fs;
    fs.SetFsFlags(0x7F);
    EXPECT_EQ(fs.GetFsFlags(), FS_JOLIET | FS_MODE2 | FS_ISO9660 | FS_UDF)
        << "0x04, 0x20 and 0x40 are not kept here";
    fs.SetFsFlags(0x18);
    EXPECT_EQ((std::array{fs.m_bUdf, fs.m_bIso9660, fs.m_bJoliet, fs.m_bMode2}), (std::array{1, 1, 0, 0}));
    fs.m_bUdf = 2; // a state counts only when it is exactly 1
    EXPECT_EQ(fs.GetFsFlags(), FS_ISO9660);
    fs.ApplyCdvdDefaults();
    EXPECT_EQ(fs.GetFsFlags(), FS_UDF | FS_ISO9660 | FS_MODE2);
    fs.ApplyDvdDefaults();
    EXPECT_EQ(fs.GetFsFlags(), FS_UDF | FS_ISO9660);
}

TEST(FlagWords, BurnFlagsRoundTripEveryBit)
{
    const unsigned bits[] = {BURN_SIMULATE, BURN_PROOF,           BURN_NO_EJECT,
                             BURN_VERIFY,   BURN_DVDROM_BOOKTYPE, BURN_NO_OVERWRITE_ASK};
    for (const unsigned bit : bits) {
        OtherSettingsValues other;
        other.SetBurnFlags(static_cast<int>(bit | 0x1 | 0x1000));
        EXPECT_EQ(static_cast<unsigned>(other.GetBurnFlags()), bit) << std::hex << bit;
    }
    OtherSettingsValues other;
    other.SetBurnFlags(static_cast<int>(0x80000440u));
    EXPECT_EQ(static_cast<unsigned>(other.GetBurnFlags()), 0x80000440u);
    other.m_bSimulate = 7; // any state other than 0 counts
    EXPECT_EQ(static_cast<unsigned>(other.GetBurnFlags()), 0x80000442u);
    other.SetBurnFlags(-2); // negative: no-overwrite-ask, whatever else is set
    EXPECT_EQ(other.m_bNoOverwriteAsk, 1);
}

TEST(FlagWords, MoreFlagsAndLimits)
{
    OtherSettingsValues other;
    other.SetMoreFlags(0xFF);
    EXPECT_EQ(other.GetMoreFlags(), MORE_FORCE_SHUTDOWN | MORE_LABEL16 | MORE_IGNORE_SIZE);
    other.SetLimitCD(-5);
    other.SetLimitDVDRed(0);
    other.ResetLimits();
    EXPECT_EQ(
        (std::array{other.GetLimitCD(), other.GetLimitDVD(), other.GetLimitCDRed(), other.GetLimitDVDRed()}),
        (std::array{650, 4482, 700, 8106}));
    EXPECT_EQ(other.GetMoreFlags(), 7) << "resetting the limits leaves the check states";
}

} // namespace
