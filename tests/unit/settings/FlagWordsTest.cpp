#include "settings/FsFlagsSettings.h"
#include "settings/NumberParsing.h"
#include "settings/OtherSettingsValues.h"
#include "settings/SettingsFlags.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

using namespace numparse;

// The words keep only the bits they know; a check state counts for the FS
// word only when exactly 1, for the burn word when not 0.
TEST(FlagWords, KeepTheirOwnBitsOnly)
{
    FsFlagsSettings fs;
    fs.SetFsFlags(0x7F);
    EXPECT_EQ(fs.GetFsFlags(), FS_JOLIET | FS_MODE2 | FS_ISO9660 | FS_UDF);
    fs.SetFsFlags(0x18);
    EXPECT_EQ((std::array{fs.m_bUdf, fs.m_bIso9660, fs.m_bJoliet, fs.m_bMode2}), (std::array{1, 1, 0, 0}));
    fs.m_bUdf = 2;
    EXPECT_EQ(fs.GetFsFlags(), FS_ISO9660);

    OtherSettingsValues other;
    other.SetBurnFlags(static_cast<int>(0x80000440u));
    other.m_bSimulate = 7;
    EXPECT_EQ(static_cast<unsigned>(other.GetBurnFlags()), 0x80000442u);
    other.SetBurnFlags(-2); // negative: no-overwrite-ask, whatever else is set
    EXPECT_EQ(other.m_bNoOverwriteAsk, 1);
    other.SetMoreFlags(0xFF);
    EXPECT_EQ(other.GetMoreFlags(), MORE_FORCE_SHUTDOWN | MORE_LABEL16 | MORE_IGNORE_SIZE);
}

TEST(NumberParsing, DecimalAsAtoi)
{
    const std::vector<std::pair<const char16_t *, int>> cases = {
        {u"  -17xyz", -17}, {u"+8", 8},  {u"", 0},
        {u"\t\v 3", 3},     {u"--3", 0}, {u"-2147483648", std::numeric_limits<int>::min()},
        {u"0x10", 0},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(DecimalInt(text), expected) << QString::fromUtf16(text).toStdString();
}

TEST(NumberParsing, HexadecimalAsStrtolAndStrtoul)
{
    EXPECT_EQ(HexLong(u"0xg"), 0) << "0x without a digit after it reads the 0";
    EXPECT_EQ(HexLong(u"-10"), -16);
    EXPECT_EQ(HexLong(u"FFFFFFFFFF"), 0x7FFFFFFF);
    EXPECT_EQ(HexLong(u"-FFFFFFFFFF"), std::numeric_limits<int>::min());
    EXPECT_EQ(HexUnsignedLong(u"ffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(HexUnsignedLong(u"-1"), 0xFFFFFFFFu);
    EXPECT_EQ(HexUnsignedLong(u" 40 junk"), 0x40u);
}

} // namespace
