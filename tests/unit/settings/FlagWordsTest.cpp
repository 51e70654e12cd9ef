#include "settings/FsFlagsSettings.h"
#include "settings/NumberParsing.h"
#include "settings/OtherSettingsValues.h"
#include "settings/SettingsFlags.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace numparse;

// Each bit on its own is in the settings file table test; here, what a
// state other than 0 or 1 counts for: the FS word only 1, the burn word
// anything but 0; a negative burn word asks for no overwrite question.
TEST(FlagWords, OddStateValues)
{
    FsFlagsSettings fs;
    fs.m_bUdf = 2;
    EXPECT_EQ(fs.GetFsFlags(), FS_ISO9660);

    OtherSettingsValues other;
    other.SetBurnFlags(0);
    other.m_bSimulate = 7;
    EXPECT_EQ(other.GetBurnFlags(), int(BURN_SIMULATE));
    other.SetBurnFlags(-2);
    EXPECT_EQ(other.m_bNoOverwriteAsk, 1);
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
