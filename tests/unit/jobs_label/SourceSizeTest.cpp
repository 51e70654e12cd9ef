// Measuring the source and what the size means for the meter and Burn.
#include "TreeFixture.h"
#include "support/TestEnvironment.h"

#include "jobs/label/FolderSize.h"
#include "jobs/label/SourceSizeCheck.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

constexpr double MB = 1048576.0;
constexpr SizeLimits Dvd{4482, 8106};
constexpr SizeLimits Cd{650, 700};

TEST(SourceSizeTest, BurnButtonAndMeterAroundTheLimits)
{
    const struct
    {
        double bytes;
        SizeLimits limits;
        bool ignoreSize;
        int sizeMb;
        BurnButton burn;
    } cases[] = {
        {8106 * MB, Dvd, false, 8106, BurnButton::Enabled},
        {8106 * MB + 1, Dvd, false, 8106, BurnButton::Disabled}, // one byte too many does not fit
        {701 * MB, Cd, true, 701, BurnButton::Enabled},
        {699.5 * MB, Cd, false, 700, BurnButton::Enabled}, // rounded half up
        {699.5 * MB - 1, Cd, false, 699, BurnButton::Enabled},
        {0, Cd, false, 0, BurnButton::Enabled},
        {5.0 * 1024 * MB * 1024 * 1024, Dvd, false, 2147483647, BurnButton::Disabled}, // 5 PB clamps
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes / MB << " MB, red " << c.limits.redMb);
        const SourceSizeCheck check = SizeCheckFor(c.bytes, c.limits, c.ignoreSize);
        EXPECT_TRUE(check.sourceGiven);
        EXPECT_EQ(check.yellowMb, c.limits.yellowMb);
        EXPECT_EQ(check.redMb, c.limits.redMb);
        EXPECT_EQ(check.sizeMb, c.sizeMb);
        EXPECT_EQ(check.burn, c.burn);
    }
}

TEST(SourceSizeTest, MediaLimitsAndSourcesThatAreNoFolder)
{
    EXPECT_EQ(LimitsForMedia(0, Dvd, Cd).redMb, 8106);
    EXPECT_EQ(LimitsForMedia(1, Dvd, Cd).redMb, 700);
    for (const char *text : {"", "/", "x"}) {
        const SourceSizeCheck check = CheckSourceSize(text, Cd, false);
        EXPECT_FALSE(check.sourceGiven) << text;
        EXPECT_EQ(check.burn, BurnButton::Unchanged) << text;
    }
    const SourceSizeCheck missing = CheckSourceSize(testenv::makeTempDir("gone") + "/missing", Cd, false);
    EXPECT_TRUE(missing.sourceGiven);
    EXPECT_EQ(missing.sizeMb, 0);
    EXPECT_EQ(missing.burn, BurnButton::Enabled);
}

TEST(SourceSizeTest, EveryFileCountsWithItsFullSize)
{
    const QString root = testenv::makeTempDir("size");
    const std::int64_t big = 5LL * 1024 * 1024 * 1024 + 7; // sparse, over 4 GB
    fixture::MakeFile(root, "VIDEO_TS/VTS_01_1.VOB", big);
    fixture::MakeFile(root, "VIDEO_TS/stray.txt", 11);
    fixture::MakeFile(root, ".hidden", 13);
    fixture::MakeFile(root, QString::fromUtf8("Ärger/日本/файл"), 17);
    fixture::MakeFile(root, "audio_ts/x", 19);
    fixture::MakeLink(root, "Ärger/link-to-file", "../.hidden");
    fixture::MakeLink(root, "Ärger/loop", "..");
    fixture::MakeLink(root, "Ärger/dangling", "nowhere");
    QString deep;
    for (int level = 0; level < 200; ++level)
        deep += u"level%1/"_s.arg(level);
    fixture::MakeFile(root, deep + "bottom", 3);
    const double expected = double(big) + 11 + 13 + 17 + 19 + 13 + 3;

    EXPECT_EQ(GetFolderSize(root), expected);
    EXPECT_EQ(GetFolderSize(root + "///"), expected);
    EXPECT_EQ(CheckSourceSize(root, Dvd, false).sizeMb, 5120);
}

} // namespace
