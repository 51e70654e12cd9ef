// Each finding of the preflight fires on a damaged copy of a sample made by
// ffmpeg and dvdauthor, and the clean samples give none.

#include "DamagedSample.h"

#include "dvdvideo/Preflight.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

using namespace dvdtest;
using dvdvideo::Finding;
using dvdvideo::FindingKind;
using dvdvideo::Reallocation;
using dvdvideo::Severity;

namespace {

struct Expected
{
    Severity severity;
    FindingKind kind;
    std::string name;
};

struct DamageCase
{
    const char *label;
    const char *sample;
    std::function<void(const std::string &folder)> damage;
    std::vector<Expected> expected; // each must be among the findings
    Reallocation reallocation = Reallocation::Off;
};

bool Matches(const Finding &finding, const Expected &expected)
{
    return finding.severity == expected.severity && finding.kind == expected.kind &&
           (expected.name.empty() || finding.name == expected.name);
}

void PrintTo(const DamageCase &c, std::ostream *os)
{
    *os << c.label;
}

constexpr uint64_t kGiB = 1ull << 30;

const std::vector<DamageCase> &Cases()
{
    static const std::vector<DamageCase> cases = {
        {"VmgMissing",
         "dvd-menuless",
         [](auto &f) { Remove(VideoTs(f, "VIDEO_TS.IFO")); },
         {{Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO"}}},
        {"VmgZeroLength",
         "dvd-menuless",
         [](auto &f) { Resize(VideoTs(f, "VIDEO_TS.IFO"), 0); },
         {{Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO"}}},
        {"VmgTruncated",
         "dvd-with-menus",
         [](auto &f) { Resize(VideoTs(f, "VIDEO_TS.IFO"), 200); },
         {{Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO"}}},
        {"VmgTitleTablePastTheEnd",
         "dvd-with-menus",
         [](auto &f) { PutBeBoth(f, "VIDEO_TS.IFO", 0xC4, 0x7FFF, 4); },
         {{Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO"}}},
        {"VmgSetNumberOver99",
         "dvd-with-menus",
         [](auto &f) { PutBeBoth(f, "VIDEO_TS.IFO", 0x3E, 120, 2); },
         {{Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO"}}},
        {"Vmg99TitleSets",
         "dvd-with-menus",
         [](auto &f) { PutBeBoth(f, "VIDEO_TS.IFO", 0x3E, 99, 2); },
         {{Severity::Error, FindingKind::TitleSetFileMissing, "VTS_03_0.IFO"},
          {Severity::Error, FindingKind::TitleSetFileMissing, "VTS_99_0.IFO"}}},
        {"NamedSetWithoutIfo",
         "dvd-with-menus",
         [](auto &f) { Remove(VideoTs(f, "VTS_02_0.IFO")); },
         {{Severity::Error, FindingKind::TitleSetFileMissing, "VTS_02_0.IFO"}}},
        {"NamedSetWithoutIfoReallocating",
         "dvd-with-menus",
         [](auto &f) { Remove(VideoTs(f, "VTS_02_0.IFO")); },
         {{Severity::Error, FindingKind::ReallocationImpossible, "VIDEO_TS.IFO"}},
         Reallocation::On},
        {"UnreadableBupReallocating",
         "dvd-menuless",
         [](auto &f) { PutBe(VideoTs(f, "VTS_01_0.BUP"), 0, 'X', 1); },
         {{Severity::Error, FindingKind::ReallocationImpossible, "VTS_01_0.BUP"},
          {Severity::Warning, FindingKind::BackupDiffers, "VTS_01_0.BUP"}},
         Reallocation::On},
        {"NamedSetWithoutTitleVob",
         "dvd-with-menus",
         [](auto &f) { Remove(VideoTs(f, "VTS_02_1.VOB")); },
         {{Severity::Error, FindingKind::TitleSetFileMissing, "VTS_02_1.VOB"}}},
        {"TitleVobZeroLength",
         "dvd-menuless",
         [](auto &f) { Resize(VideoTs(f, "VTS_01_1.VOB"), 0); },
         {{Severity::Error, FindingKind::TitleSetFileMissing, "VTS_01_1.VOB"}}},
        {"FolderNamedLikeAVob",
         "dvd-menuless",
         [](auto &f) {
             Remove(VideoTs(f, "VTS_01_1.VOB"));
             std::filesystem::create_directory(VideoTs(f, "VTS_01_1.VOB"));
         },
         {{Severity::Error, FindingKind::TitleSetFileMissing, "VTS_01_1.VOB"}}},
        {"CellPastTheVob",
         "dvd-menuless",
         [](auto &f) {
             const uint64_t cell = FirstCellPlayback(VideoTs(f, "VTS_01_0.IFO"));
             PutBeBoth(f, "VTS_01_0.IFO", cell + 20, 0x00FFFFFF, 4);
         },
         {{Severity::Error, FindingKind::CellUnreadable, ""}}},
        {"BupDiffersInOneByte",
         "dvd-with-menus",
         [](auto &f) {
             PutBe(VideoTs(f, "VTS_01_0.BUP"), 300, GetBe(VideoTs(f, "VTS_01_0.BUP"), 300, 1) ^ 1, 1);
         },
         {{Severity::Warning, FindingKind::BackupDiffers, "VTS_01_0.BUP"}}},
        {"BupMissing",
         "dvd-with-menus",
         [](auto &f) { Remove(VideoTs(f, "VTS_02_0.BUP")); },
         {{Severity::Warning, FindingKind::FileMissing, "VTS_02_0.BUP"}}},
        {"SetOnDiskNotNamed",
         "dvd-with-menus",
         [](auto &f) {
             for (const char *ext : {"IFO", "BUP"})
                 std::filesystem::copy_file(VideoTs(f, std::string("VTS_02_0.") + ext),
                                            VideoTs(f, std::string("VTS_03_0.") + ext));
             std::filesystem::copy_file(VideoTs(f, "VTS_02_1.VOB"), VideoTs(f, "VTS_03_1.VOB"));
         },
         {{Severity::Warning, FindingKind::TitleSetNotNamed, "VTS_03_0.IFO"}}},
        {"VobPartHole",
         "dvd-menuless",
         [](auto &f) { std::filesystem::rename(VideoTs(f, "VTS_01_1.VOB"), VideoTs(f, "VTS_01_2.VOB")); },
         {{Severity::Warning, FindingKind::FileMissing, "VTS_01_1.VOB"}}},
        {"VobShorterThanIfoSays",
         "dvd-menuless",
         [](auto &f) { Resize(VideoTs(f, "VTS_01_1.VOB"), 100 * 2048); },
         {{Severity::Note, FindingKind::SectorCount, "VTS_01_1.VOB"}}},
        {"PartOfUnusualSize",
         "dvd-menuless",
         [](auto &f) { std::filesystem::copy_file(VideoTs(f, "VTS_01_1.VOB"), VideoTs(f, "VTS_01_2.VOB")); },
         {{Severity::Note, FindingKind::SectorCount, "VTS_01_1.VOB"}}},
        {"SparseVobOf5GB",
         "dvd-menuless",
         [](auto &f) { Resize(VideoTs(f, "VTS_01_1.VOB"), 5 * kGiB); },
         {{Severity::Note, FindingKind::SectorCount, "VTS_01_1.VOB"}}},
    };
    return cases;
}

class DamagedFolderTest : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedFolderTest, ItsFindingFires)
{
    const DamageCase &c = GetParam();
    const std::string folder = CopySample(c.sample);
    c.damage(folder);
    const auto started = std::chrono::steady_clock::now();
    const dvdvideo::PreflightReport report = dvdvideo::RunPreflight(folder, c.reallocation);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    ASSERT_TRUE(report.isDvdVideo);
    for (const Expected &expected : c.expected) {
        const bool found = std::any_of(report.findings.begin(), report.findings.end(),
                                       [&](const Finding &f) { return Matches(f, expected); });
        EXPECT_TRUE(found) << "missing " << expected.name << " (kind " << int(expected.kind) << ") among "
                           << testing::PrintToString(report.findings);
    }
}

INSTANTIATE_TEST_SUITE_P(Preflight, DamagedFolderTest, testing::ValuesIn(Cases()),
                         [](const auto &testInfo) { return std::string(testInfo.param.label); });

class CleanSampleTest : public testing::TestWithParam<std::tuple<const char *, Reallocation>>
{
};

TEST_P(CleanSampleTest, GivesNoFinding)
{
    const auto [sample, reallocation] = GetParam();
    const dvdvideo::PreflightReport report =
        dvdvideo::RunPreflight(ORVANE_TEST_SOURCE_DIR "/samples/" + std::string(sample), reallocation);
    EXPECT_TRUE(report.isDvdVideo);
    EXPECT_EQ(report.findings, dvdvideo::Findings{});
}

INSTANTIATE_TEST_SUITE_P(Preflight, CleanSampleTest,
                         testing::Combine(testing::Values("dvd-menuless", "dvd-with-menus"),
                                          testing::Values(Reallocation::Off, Reallocation::On)));

TEST(PreflightTest, FolderWithoutVideoTsIsNoDvdVideo)
{
    const dvdvideo::PreflightReport report =
        dvdvideo::RunPreflight(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus/Extras", Reallocation::On);
    EXPECT_FALSE(report.isDvdVideo);
    EXPECT_TRUE(report.findings.empty());
}

TEST(PreflightTest, BupDifferenceNamesTheOffset)
{
    const std::string folder = CopySample("dvd-menuless");
    PutBe(VideoTs(folder, "VIDEO_TS.BUP"), 4000, 0xAB, 1);
    const auto findings = dvdvideo::RunPreflight(folder, Reallocation::Off).findings;
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].number, 4000);
    EXPECT_EQ(findings[0].name2, "VIDEO_TS.IFO");
}

TEST(PreflightTest, LoopingProgramChainEndsTheWalk)
{
    // The program chain's next link points at itself; a player would loop
    // for ever, the walk follows no links.
    const std::string folder = CopySample("dvd-menuless");
    const std::string ifo = VideoTs(folder, "VTS_01_0.IFO");
    const uint64_t pgcit = uint64_t(GetBe(ifo, 0xCC, 4)) * 2048;
    const uint64_t pgc = pgcit + GetBe(ifo, pgcit + 12, 4);
    PutBeBoth(folder, "VTS_01_0.IFO", pgc + 0x9C, 1, 2);
    PutBeBoth(folder, "VTS_01_0.IFO", pgc + 0x9E, 1, 2);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(dvdvideo::RunPreflight(folder, Reallocation::Off).findings, dvdvideo::Findings{});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

} // namespace

namespace {

TEST(PreflightTest, TitleTimeBoundEndsTheWalkOfATitle)
{
    // With no time at all for a title, the broken cell is never reached: the
    // bound holds even where reading would find something.
    const std::string folder = CopySample("dvd-menuless");
    const uint64_t cell = FirstCellPlayback(VideoTs(folder, "VTS_01_0.IFO"));
    PutBeBoth(folder, "VTS_01_0.IFO", cell + 20, 0x00FFFFFF, 4);
    const auto cellFindings = [&](std::chrono::milliseconds bound) {
        const auto findings = dvdvideo::RunPreflight(folder, Reallocation::Off, {bound}).findings;
        return std::count_if(findings.begin(), findings.end(),
                             [](const Finding &f) { return f.kind == FindingKind::CellUnreadable; });
    };
    EXPECT_EQ(cellFindings(std::chrono::milliseconds(0)), 0);
    EXPECT_EQ(cellFindings(std::chrono::milliseconds(4000)), 1);
}

} // namespace
