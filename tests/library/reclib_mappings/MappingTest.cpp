// The pure translations a real drive needs, checked table by table without
// hardware, and the virtual-recorder configuration reader.
#include "recorders/EraseEstimate.h"
#include "recorders/ProfileMapping.h"
#include "recorders/SpeedMapping.h"
#include "recorders/VirtualRecorderConfig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace reclib;

TEST(ReclibProfileMapping, ProfilesGiveTheWritableMediaAndHowEachIsErased)
{
    using enum EraseMethod;
    const struct
    {
        int profile;
        std::optional<MediumKind> medium;
        EraseMethod quick, full;
        std::optional<MediumKind> dual = {}; // the recordable dual-layer discs; not DVD+RW DL
    } cases[] = {
        {0x09, MediumKind::CdR, NotErasable, NotErasable},
        {0x0a, MediumKind::CdRw, BlankFast, BlankFull},
        {0x11, MediumKind::DvdMinusR, NotErasable, NotErasable},
        {0x13, MediumKind::DvdMinusRw, Format, Format}, // restricted overwrite
        {0x14, MediumKind::DvdMinusRw, BlankFast, BlankFull},
        {0x15, MediumKind::DvdMinusR, NotErasable, NotErasable, MediumKind::DvdMinusRDl},
        {0x16, MediumKind::DvdMinusR, NotErasable, NotErasable, MediumKind::DvdMinusRDl},
        {0x1a, MediumKind::DvdPlusRw, Format, Format},
        {0x1b, MediumKind::DvdPlusR, NotErasable, NotErasable},
        {0x2a, MediumKind::DvdPlusRw, Format, Format}, // double layer
        {0x2b, MediumKind::DvdPlusR, NotErasable, NotErasable, MediumKind::DvdPlusRDl},
        // No disc, CD-ROM, DVD-ROM, DVD-RAM, BD-RE, a stdio file.
        {0x00, std::nullopt, NotErasable, NotErasable},
        {0x08, std::nullopt, NotErasable, NotErasable},
        {0x10, std::nullopt, NotErasable, NotErasable},
        {0x12, std::nullopt, NotErasable, NotErasable},
        {0x43, std::nullopt, NotErasable, NotErasable},
        {0xffff, std::nullopt, NotErasable, NotErasable},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.profile);
        EXPECT_EQ(mediumFromProfile(c.profile), c.medium);
        EXPECT_EQ(eraseMethodFor(c.profile, ERASE_MODE_QUICK), c.quick);
        EXPECT_EQ(eraseMethodFor(c.profile, ERASE_MODE_FULL), c.full);
        EXPECT_EQ(dualLayerFromProfile(c.profile), c.dual);
    }
}

TEST(ReclibSpeedMapping, LibburnSpeedsAndSpeedBlockRatesRoundTrip)
{
    struct Case
    {
        int libburn;
        SpeedFamily family;
        int32_t kBs;
        int32_t multiple;
        int back; // libburn speed for kBs: rounded up as libburn asks
    } const cases[] = {
        {1385, SpeedFamily::Dvd, 1385, 1, 1385},     {3324, SpeedFamily::Dvd, 3324, 2, 3324},
        {22160, SpeedFamily::Dvd, 22160, 16, 22160}, {4000, SpeedFamily::Dvd, 4000, 3, 4000},
        {177, SpeedFamily::Cd, 176, 1, 177},         {7056, SpeedFamily::Cd, 7040, 40, 7056},
        {8467, SpeedFamily::Cd, 8448, 48, 8468},     {8468, SpeedFamily::Cd, 8448, 48, 8468},
        {1000, SpeedFamily::Cd, 997, 6, 1000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.libburn);
        EXPECT_EQ(speedBlockKBsFromLibburn(c.libburn, c.family), c.kBs);
        EXPECT_EQ(multipleFromLibburn(c.libburn, c.family), c.multiple);
        EXPECT_EQ(libburnFromSpeedBlockKBs(c.kBs, c.family), c.back);
    }
    EXPECT_EQ(libburnFromMultiple(4, SpeedFamily::Cd), 706); // rounded up, as libburn asks
    EXPECT_EQ(libburnFromMultiple(2.4, SpeedFamily::Dvd), 3324);
    EXPECT_EQ(speedBlockRate1x(SpeedFamily::Dvd), 1385);
    EXPECT_EQ(speedBlockRate1x(SpeedFamily::Cd), 176);
}

TEST(ReclibSpeedMapping, SpeedBlockIsSortedDeduplicatedAndBounded)
{
    const SpeedBlock block = speedBlockFromLibburn({11080, 0, 4155, 11080, -5, 5540}, SpeedFamily::Dvd);
    ASSERT_EQ(block.count, 3);
    EXPECT_EQ(block.rate1x, 1385);
    EXPECT_EQ((std::vector<int>(block.kBs, block.kBs + 3)), (std::vector<int>{4155, 5540, 11080}));
    EXPECT_EQ((std::vector<int>(block.multiples, block.multiples + 3)), (std::vector<int>{3, 4, 8}));

    std::vector<int> many;
    for (int i = 1; i <= 80; ++i)
        many.push_back(i * 1385);
    const SpeedBlock bounded = speedBlockFromLibburn(many, SpeedFamily::Dvd);
    EXPECT_EQ(bounded.count, SPEED_BLOCK_MAX);
    EXPECT_EQ(bounded.kBs[SPEED_BLOCK_MAX - 1], 64 * 1385);
    EXPECT_EQ(speedBlockFromLibburn({}, SpeedFamily::Cd).rate1x, 0); // no speeds: no 1x rate either
}

TEST(ReclibEraseEstimate, ScalesWithSizeModeSpeedAndScale)
{
    const int64_t dvd = 2295104;
    // 425 s at 11080 kB/s and the quick 7 s are read through the library.
    EXPECT_EQ(eraseSeconds(dvd, ERASE_MODE_FULL, 5540, 1.0), 849);
    EXPECT_EQ(eraseSeconds(dvd, ERASE_MODE_QUICK, 11080, 0.0), 0);
    // A small disc: the quick area is the whole disc.
    EXPECT_EQ(eraseSeconds(1000, ERASE_MODE_QUICK, 11080, 1.0), 1);
    // No speed: capped, never a division by zero.
    EXPECT_EQ(eraseSeconds(dvd, ERASE_MODE_FULL, 0, 1.0), 86400);
}

TEST(ReclibVirtualConfig, ReadsEveryKey)
{
    const VirtualRecorderConfig config = VirtualRecorderConfig::parse(
        "[A]\r\nmedium = DVD-RW written  # with a comment\r\nfile = /abs/a.iso\r\nwrites = DVD-R CD\r\n"
        "speeds = 8x 2.4x 1385\r\npacing = paced\r\nerase-time-scale = 0.25\r\nfault = corrupt-sector 12\r\n"
        "capacity = 5000\r\nchecksum = off\r\n[B]\nmedium = none\nfile = b.iso\nfault = fail-at-sector 3\n");
    ASSERT_TRUE(config.problems.empty()) << config.problems.front();
    ASSERT_EQ(config.recorders.size(), 2u);
    const VirtualRecorderSettings &a = config.recorders[0];
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.medium, MediumKind::DvdMinusRw);
    EXPECT_TRUE(a.written);
    EXPECT_EQ(a.mediumFile, "/abs/a.iso");
    EXPECT_EQ(a.mediaSet, MEDIA_DVD_MINUS | MEDIA_CD);
    EXPECT_EQ(a.speeds, (std::vector<int>{1385, 3324, 11080}));
    EXPECT_TRUE(a.paced);
    EXPECT_DOUBLE_EQ(a.eraseTimeScale, 0.25);
    EXPECT_EQ(a.fault.kind, FaultInjection::Kind::CorruptSector);
    EXPECT_EQ(a.fault.sector, 12);
    EXPECT_EQ(a.capacitySectors, 5000);
    EXPECT_FALSE(a.checksum);
    const VirtualRecorderSettings &b = config.recorders[1];
    EXPECT_EQ(b.medium, MediumKind::None);
    EXPECT_EQ(b.mediaSet, MEDIA_SET_DVD); // no medium, no "writes": a DVD writer
    EXPECT_TRUE(b.checksum);
    EXPECT_FALSE(b.paced);
    EXPECT_EQ(b.fault.kind, FaultInjection::Kind::FailAtSector);
}

TEST(ReclibVirtualConfig, ReportsProblemsWithTheirLines)
{
    const std::pair<const char *, const char *> cases[] = {
        {"[A]\nfile = a\nmedium = DVD+RW\n", "line 3: medium \"DVD+RW\" must be"},
        {"[A]\nfile = a\nmedium = Blu-ray blank\n", "line 3: medium \"Blu-ray blank\" must be"},
        {"[A]\nfile = a\npacing = sometimes\n", "line 3: pacing must be"},
        {"[A]\nfile = a\nerase-time-scale = -1\n", "line 3: erase-time-scale"},
        {"[A]\nfile = a\nerase-time-scale = nan\n", "line 3: erase-time-scale"},
        {"[A]\nfile = a\nerase-time-scale = inf\n", "line 3: erase-time-scale"},
        {"[A]\nfile = a\nspeeds = 4x 1e300x\n", "speeds: \"1e300x\""},
        {"[A]\nfile = a\nspeeds = 99999999999\n", "speeds: \"99999999999\""},
        {"[A]\nfile = a\nspeeds = nanx\n", "speeds: \"nanx\""},
        {"[A]\nfile = a\nspeeds = 0.5\n", "speeds: \"0.5\""},
        {"[A]\nfile = a\nfault = corrupt-sector x\n", "line 3: fault \""},
        {"[A]\nfile = a\nfault = kill-at-commit-step 6\n", "line 3: fault \""},
        {"[A]\nfile = a\ncapacity = 0\n", "line 3: capacity"},
        {"[A]\nfile = a\ncapacity = 4294967297\n", "line 3: capacity \"4294967297\" must be"},
        {"[A]\nfile = a\nerase-time-scale = 1e300\n", "line 3: erase-time-scale \"1e300\" must be"},
        {"[A]\nfile = a\nerase-time-scale = 10.5\n", "line 3: erase-time-scale"},
        {"[A]\nfile = a\nchecksum = no\n", "line 3: checksum must be"},
        {"[A]\nfile = a\nfault = fail-at-sector 99999999999999999999\n", "line 3: fault"},
        {"[A]\nfile = a\nfault = corrupt-sector 8388608\n", "line 3: fault"},
        {"[A]\nfile = a\nwrites = BD\n", "line 3: writes: unknown family"},
        {"[A]\nfile = a\nno equals sign\n", "line 3: expected"},
        {"[A]\nmedium = CD-R blank\nwrites = DVD\nfile = a\n", "does not write the medium it holds"},
        {"[]\nfile = a\n", "line 1: recorder \"\": the name must have 1 to 63"},
    };
    for (const auto &[text, problem] : cases) {
        std::string all;
        for (const std::string &found : VirtualRecorderConfig::parse(text).problems)
            all += found + "\n";
        EXPECT_NE(all.find(problem), std::string::npos) << text << "\n---\n" << all;
    }
}

TEST(ReclibVirtualConfig, ANumberOutOfRangeLeavesTheDefaultAndAnUnreadableMediumIsKeptAsAProblem)
{
    const VirtualRecorderConfig config = VirtualRecorderConfig::parse(
        "[A]\nfile = a\nerase-time-scale = 1e300\ncapacity = 4294967297\nfault = fail-at-sector 8388608\n"
        "medium = DVD+RW blnk\n");
    ASSERT_EQ(config.recorders.size(), 1u);
    const VirtualRecorderSettings &a = config.recorders[0];
    EXPECT_DOUBLE_EQ(a.eraseTimeScale, 1.0);
    EXPECT_FALSE(a.capacitySectors.has_value());
    EXPECT_EQ(a.fault.kind, FaultInjection::Kind::None);
    EXPECT_EQ(config.problems.size(), 4u);
    EXPECT_EQ(a.mediumProblem.rfind("line 6: medium \"DVD+RW blnk\"", 0), 0u) << a.mediumProblem;
}

TEST(ReclibVirtualConfig, ARepeatedSectionIsIgnoredWholeAndTheFirstCounts)
{
    const VirtualRecorderConfig config = VirtualRecorderConfig::parse(
        "[A]\nfile = a.iso\n[B]\nfile = b.iso\n[A]\nfile = other.iso\nmedium = DVD-R blank\nspeeds = 4x\n");
    ASSERT_EQ(config.recorders.size(), 2u);
    const VirtualRecorderSettings &a = config.recorders[0];
    EXPECT_EQ(a.name, "A");
    EXPECT_EQ(a.mediumFile, "a.iso");
    // Nothing of the later section reaches the first one.
    EXPECT_EQ(a.medium, MediumKind::None);
    EXPECT_TRUE(a.speeds.empty());
    EXPECT_EQ(config.recorders[1].name, "B");
    ASSERT_EQ(config.problems.size(), 1u);
    EXPECT_EQ(config.problems[0], "line 5: recorder \"A\" is listed again; this section is ignored");
}

TEST(ReclibVirtualConfig, AFifoInTheFilesPlaceIsAProblemNotAWait)
{
    const std::string fifo =
        std::filesystem::temp_directory_path() / ("orvane-conf-" + std::to_string(::getpid()));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const VirtualRecorderConfig config = VirtualRecorderConfig::load(fifo);
    std::filesystem::remove(fifo);
    EXPECT_TRUE(config.recorders.empty());
    ASSERT_EQ(config.problems.size(), 1u);
    EXPECT_NE(config.problems[0].find("not a file"), std::string::npos) << config.problems[0];
}
