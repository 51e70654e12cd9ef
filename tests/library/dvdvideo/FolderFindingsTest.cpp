// Each finding of the preflight fires on a damaged copy of a sample made by
// ffmpeg and dvdauthor, and the clean samples give none.

#include "InChild.h"
#include "TestEnvironment.h"

#include "dvdvideo/Preflight.h"

#include <gtest/gtest.h>

#include <QString>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

using dvdvideo::Finding;
using dvdvideo::Reallocation;
using K = dvdvideo::FindingKind;
namespace fs = std::filesystem;

namespace dvdvideo {
void PrintTo(const Finding &finding, std::ostream *os)
{
    static const char *const severities[] = {"error", "warning", "note"};
    *os << severities[int(finding.severity)] << " kind " << int(finding.kind) << " '" << finding.name << "' '"
        << finding.name2 << "' " << finding.number << " " << finding.number2;
}
} // namespace dvdvideo

namespace {

constexpr auto E = dvdvideo::Severity::Error;
constexpr auto W = dvdvideo::Severity::Warning;
constexpr auto N = dvdvideo::Severity::Note;
const std::string kPlain = "dvd-menuless";
const std::string kMenus = "dvd-with-menus";

// A fresh copy of samples/<sample> for one test: the folder holding VIDEO_TS.
std::string CopySample(const std::string &sample)
{
    const QString target = testenv::makeTempDir(QString::fromStdString(sample)) + QStringLiteral("/copy");
    const QString from = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/") + QString::fromStdString(sample);
    EXPECT_TRUE(testenv::copyFolder(from, target)) << sample;
    return target.toStdString();
}

std::string VideoTs(const std::string &folder, const std::string &name)
{
    return folder + "/VIDEO_TS/" + name;
}

// Big-endian numbers of width 1, 2 or 4 bytes.
void PutBe(const std::string &path, uint64_t offset, uint32_t value, int width)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(std::streamoff(offset));
    for (int i = width - 1; i >= 0; --i)
        file.put(char(value >> (8 * i)));
    ASSERT_TRUE(file) << path;
}

uint32_t GetBe(const std::string &path, uint64_t offset, int width)
{
    std::ifstream file(path, std::ios::binary);
    file.seekg(std::streamoff(offset));
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | uint8_t(file.get());
    return value;
}

// Patches an IFO and its BUP alike, so only the intended fault shows.
void PutBeBoth(const std::string &folder, const std::string &ifo, uint64_t offset, uint32_t value, int width)
{
    PutBe(VideoTs(folder, ifo), offset, value, width);
    PutBe(VideoTs(folder, ifo.substr(0, ifo.size() - 3) + "BUP"), offset, value, width);
}

// The first cell of the first program chain of a title set IFO.
uint64_t FirstCellPlayback(const std::string &ifo)
{
    const uint64_t pgcit = uint64_t(GetBe(ifo, 0xCC, 4)) * 2048;
    const uint64_t pgc = pgcit + GetBe(ifo, pgcit + 12, 4);
    return pgc + GetBe(ifo, pgc + 0xE8, 2);
}

using Damage = std::function<void(const std::string &folder)>;

Damage Removed(const std::string &name)
{
    return [=](const std::string &f) { fs::remove(VideoTs(f, name)); };
}

Damage Resized(const std::string &name, uint64_t bytes)
{
    return [=](const std::string &f) { fs::resize_file(VideoTs(f, name), bytes); };
}

Damage Patched(const std::string &ifo, uint64_t offset, uint32_t value, int width)
{
    return [=](const std::string &f) { PutBeBoth(f, ifo, offset, value, width); };
}

struct Expected
{
    dvdvideo::Severity severity;
    K kind;
    std::string name;    // empty: any
    int64_t number = -1; // negative: any
    std::string name2 = {};
};

struct DamageCase
{
    const char *label;
    const std::string &sample;
    Damage damage;
    std::vector<Expected> expected; // each must be among the findings
    Reallocation reallocation = Reallocation::Off;
};

TEST(PreflightTest, EachDamageGivesItsFinding)
{
    const Damage cellPastTheVob = [](const std::string &f) {
        PutBeBoth(f, "VTS_01_0.IFO", FirstCellPlayback(VideoTs(f, "VTS_01_0.IFO")) + 20, 0x00FFFFFF, 4);
    };
    // The backup compared with its IFO to the end of the longer of the two.
    const auto ifoBytes = [](const char *name) {
        return int64_t(fs::file_size(ORVANE_TEST_SOURCE_DIR "/samples/" + kMenus + "/VIDEO_TS/" + name));
    };
    const int64_t vts1 = ifoBytes("VTS_01_0.IFO");
    const int64_t vmg = ifoBytes("VIDEO_TS.IFO");
    const Damage lastByteFlipped = [=](const std::string &f) {
        const std::string bup = VideoTs(f, "VTS_01_0.BUP");
        PutBe(bup, uint64_t(vts1 - 1), GetBe(bup, uint64_t(vts1 - 1), 1) ^ 1, 1);
    };
    const Damage setNotNamed = [](const std::string &f) {
        for (const char *ext : {"0.IFO", "0.BUP", "1.VOB"})
            fs::copy_file(VideoTs(f, std::string("VTS_02_") + ext), VideoTs(f, std::string("VTS_03_") + ext));
    };
    const Damage folderNamedLikeAVob = [](const std::string &f) {
        fs::remove(VideoTs(f, "VTS_01_1.VOB"));
        fs::create_directory(VideoTs(f, "VTS_01_1.VOB"));
    };
    const auto bupByte = [](const std::string &f) { PutBe(VideoTs(f, "VTS_01_0.BUP"), 0, 'X', 1); };
    const auto vobHole = [](const std::string &f) {
        fs::rename(VideoTs(f, "VTS_01_1.VOB"), VideoTs(f, "VTS_01_2.VOB"));
    };
    const auto vobPart = [](const std::string &f) {
        fs::copy_file(VideoTs(f, "VTS_01_1.VOB"), VideoTs(f, "VTS_01_2.VOB"));
    };
    const auto On = Reallocation::On;
    // clang-format off
    const DamageCase cases[] = {
        {"VMG missing", kPlain, Removed("VIDEO_TS.IFO"), {{E, K::FileMissing, "VIDEO_TS.IFO"}}},
        {"VMG empty", kPlain, Resized("VIDEO_TS.IFO", 0), {{E, K::FileMissing, "VIDEO_TS.IFO"}}},
        {"VMG cut", kMenus, Resized("VIDEO_TS.IFO", 200), {{E, K::FileMissing, "VIDEO_TS.IFO"}}},
        {"VMG names 99 title sets", kMenus, Patched("VIDEO_TS.IFO", 0x3E, 99, 2),
            {{E, K::TitleSetFileMissing, "VTS_03_0.IFO"}, {E, K::TitleSetFileMissing, "VTS_99_0.IFO"}}},
        {"named set without IFO", kMenus, Removed("VTS_02_0.IFO"),
            {{E, K::TitleSetFileMissing, "VTS_02_0.IFO"}}},
        {"named set without IFO, reallocating", kMenus, Removed("VTS_02_0.IFO"),
            {{E, K::ReallocationImpossible, "VIDEO_TS.IFO"}}, On},
        {"unreadable BUP, reallocating", kPlain, bupByte,
            {{E, K::ReallocationImpossible, "VTS_01_0.BUP"}, {W, K::BackupDiffers, "VTS_01_0.BUP"}}, On},
        {"named set without title VOB", kMenus, Removed("VTS_02_1.VOB"),
            {{E, K::TitleSetFileMissing, "VTS_02_1.VOB"}}},
        {"empty title VOB", kPlain, Resized("VTS_01_1.VOB", 0),
            {{E, K::TitleSetFileMissing, "VTS_01_1.VOB"}}},
        {"folder named like a VOB", kPlain, folderNamedLikeAVob, {{E, K::FileRefused, "VTS_01_1.VOB", 5}}},
        {"cell past the VOB", kPlain, cellPastTheVob, {{E, K::CellUnreadable, ""}}},
        {"BUP shorter than its IFO", kMenus, Resized("VTS_01_0.BUP", uint64_t(vts1 - 2048)),
            {{W, K::BackupDiffers, "VTS_01_0.BUP", vts1 - 2048, "VTS_01_0.IFO"}}},
        {"BUP longer than its IFO", kMenus, Resized("VIDEO_TS.BUP", uint64_t(vmg + 2048)),
            {{W, K::BackupDiffers, "VIDEO_TS.BUP", vmg, "VIDEO_TS.IFO"}}},
        {"BUP equal but for its last byte", kMenus, lastByteFlipped,
            {{W, K::BackupDiffers, "VTS_01_0.BUP", vts1 - 1, "VTS_01_0.IFO"}}},
        {"BUP empty", kMenus, Resized("VTS_02_0.BUP", 0), {{W, K::BackupDiffers, "VTS_02_0.BUP", 0, "VTS_02_0.IFO"}}},
        {"BUP missing", kMenus, Removed("VTS_02_0.BUP"), {{W, K::FileMissing, "VTS_02_0.BUP"}}},
        {"set on disk not named", kMenus, setNotNamed, {{W, K::TitleSetNotNamed, "VTS_03_0.IFO"}}},
        {"hole in the VOB parts", kPlain, vobHole, {{W, K::FileMissing, "VTS_01_1.VOB"}}},
        {"VOB shorter than the IFO says", kPlain, Resized("VTS_01_1.VOB", 100 * 2048),
            {{N, K::SectorCount, "VTS_01_1.VOB"}}},
        {"part of unusual size", kPlain, vobPart, {{N, K::SectorCount, "VTS_01_1.VOB"}}},
        {"sparse VOB of 5 GB", kPlain, Resized("VTS_01_1.VOB", 5ull << 30),
            {{N, K::SectorCount, "VTS_01_1.VOB"}}},
    };
    // clang-format on
    for (const DamageCase &c : cases) {
        SCOPED_TRACE(c.label);
        const std::string folder = CopySample(c.sample);
        c.damage(folder);
        const auto started = std::chrono::steady_clock::now();
        const dvdvideo::PreflightReport report = dvdvideo::RunPreflight(folder, c.reallocation);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        ASSERT_TRUE(report.isDvdVideo);
        for (const Expected &x : c.expected)
            EXPECT_TRUE(std::any_of(report.findings.begin(), report.findings.end(),
                                    [&](const Finding &f) {
                                        return f.severity == x.severity && f.kind == x.kind &&
                                               (x.name.empty() || f.name == x.name) &&
                                               (x.number < 0 || f.number == x.number) &&
                                               (x.name2.empty() || f.name2 == x.name2);
                                    }))
                << "missing " << x.name << " (kind " << int(x.kind) << ") among "
                << testing::PrintToString(report.findings);
    }
}

// Every DVD-Video name in turn replaced by what no read may wait on or take
// for a file: the check ends at once with an error naming the file and why,
// and no other error about it (no "cell cannot be read").
TEST(PreflightTest, AFileThatIsNoRegularFileOrCannotBeReadIsNamedWithItsReason)
{
    const auto fifo = [](const std::string &p) {
        fs::remove(p);
        ::mkfifo(p.c_str(), 0644);
    };
    const auto devZero = [](const std::string &p) {
        fs::remove(p);
        fs::create_symlink("/dev/zero", p);
    };
    const auto fifoBesideShortIfo = [&](const std::string &p) {
        fs::resize_file(p.substr(0, p.size() - 3) + "IFO", 2048);
        fifo(p);
    };
    const auto noAccess = [](const std::string &p) { ::chmod(p.c_str(), 0); };
    const struct
    {
        const std::string &sample;
        const char *name;
        std::function<void(const std::string &)> make;
        dvdvideo::SourceRefusal refusal;
        testenv::RunAs as = testenv::RunAs::Self;
    } rows[] = {
        {kMenus, "VIDEO_TS.IFO", fifo, dvdvideo::SourceRefusal::Fifo},
        {kMenus, "VIDEO_TS.BUP", fifo, dvdvideo::SourceRefusal::Fifo},
        {kMenus, "VIDEO_TS.VOB", fifo, dvdvideo::SourceRefusal::Fifo},
        {kMenus, "VTS_01_0.IFO", fifo, dvdvideo::SourceRefusal::Fifo},
        {kMenus, "VTS_01_0.BUP", fifo, dvdvideo::SourceRefusal::Fifo},
        {kMenus, "VTS_01_0.VOB", fifo, dvdvideo::SourceRefusal::Fifo},
        {kMenus, "VTS_01_1.VOB", fifo, dvdvideo::SourceRefusal::Fifo},
        {kPlain, "VTS_01_0.BUP", fifoBesideShortIfo, dvdvideo::SourceRefusal::Fifo},
        {kPlain, "VTS_01_2.VOB", devZero, dvdvideo::SourceRefusal::Device},
        {kPlain, "VTS_01_1.VOB", noAccess, dvdvideo::SourceRefusal::Unreadable, testenv::RunAs::Nobody},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.name) + " in " + row.sample);
        const std::string folder = CopySample(row.sample);
        if (row.as == testenv::RunAs::Nobody) {
            ::chmod(testenv::root().toUtf8().constData(), 0755);
            for (const auto &entry : fs::recursive_directory_iterator(testenv::root().toStdString()))
                ::chmod(entry.path().c_str(), entry.is_directory() ? 0755 : 0644);
        }
        row.make(VideoTs(folder, row.name));
        const std::string said = testenv::inChild(
            [&] {
                std::string out;
                for (const Finding &f : dvdvideo::RunPreflight(folder, Reallocation::On).findings)
                    if (f.severity == E && (f.name == row.name || f.kind == K::CellUnreadable))
                        out += std::to_string(int(f.kind)) + " " + std::to_string(f.number) + " " +
                               std::to_string(f.number2) + ";";
                return out;
            },
            row.as);
        const int error = row.refusal == dvdvideo::SourceRefusal::Unreadable ? EACCES : 0;
        EXPECT_EQ(said, std::to_string(int(K::FileRefused)) + " " + std::to_string(int(row.refusal)) + " " +
                            std::to_string(error) + ";");
    }
}

TEST(PreflightTest, CleanSamplesGiveNoFindingAndAFolderWithoutVideoTsIsNoDvdVideo)
{
    for (const std::string &sample : {kPlain, kMenus})
        for (const Reallocation reallocation : {Reallocation::Off, Reallocation::On}) {
            const auto report =
                dvdvideo::RunPreflight(ORVANE_TEST_SOURCE_DIR "/samples/" + sample, reallocation);
            EXPECT_TRUE(report.isDvdVideo) << sample;
            EXPECT_EQ(report.findings, dvdvideo::Findings{}) << sample << " " << int(reallocation);
        }
    const dvdvideo::PreflightReport report =
        dvdvideo::RunPreflight(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus/Extras", Reallocation::On);
    EXPECT_FALSE(report.isDvdVideo);
    EXPECT_TRUE(report.findings.empty());
}

TEST(PreflightTest, TitleTimeBoundOrAnAbortEndsTheWalk)
{
    // With no time at all for a title, the broken cell is never reached: the
    // bound holds even where reading would find something.
    const std::string folder = CopySample(kPlain);
    const uint64_t cell = FirstCellPlayback(VideoTs(folder, "VTS_01_0.IFO"));
    PutBeBoth(folder, "VTS_01_0.IFO", cell + 20, 0x00FFFFFF, 4);
    const auto cellFindings = [&](std::chrono::milliseconds bound, bool abort = false) {
        const auto findings =
            dvdvideo::RunPreflight(folder, Reallocation::Off, {bound, [=] { return abort; }}).findings;
        return std::count_if(findings.begin(), findings.end(),
                             [](const Finding &f) { return f.kind == K::CellUnreadable; });
    };
    EXPECT_EQ(cellFindings(std::chrono::milliseconds(0)), 0);
    EXPECT_EQ(cellFindings(std::chrono::milliseconds(4000)), 1);
    // An abort ends the walk as early.
    EXPECT_EQ(cellFindings(std::chrono::milliseconds(4000), true), 0);
}

} // namespace
