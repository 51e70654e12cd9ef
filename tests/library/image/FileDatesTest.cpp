// Each entry's own date in every file system, and SOURCE_DATE_EPOCH.

#include "BuiltImage.h"
#include "IsoItemTree.h"

#include "image/ImageTime.h"
#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>

using namespace imagetest;

namespace {

namespace fs = std::filesystem;
using DatedPaths = std::map<std::string, int64_t>;

// Path below the root ("Dated/plain.txt") -> seconds since 1970, UTC, as
// 7-Zip shows the UDF file entries.
DatedPaths sevenZipDates(const std::string &image)
{
    const CommandResult listing = run("TZ=UTC 7z l -slt '" + image + "'");
    DatedPaths dates;
    std::istringstream in(listing.output);
    std::string line;
    std::string path;
    while (std::getline(in, line)) {
        std::tm t{};
        if (line.rfind("Path = ", 0) == 0) {
            path = line.substr(7);
        } else if (line.rfind("Modified = ", 0) == 0) {
            // timegm takes dates before 1970 and after 2038, and no time zone.
            std::istringstream(line.substr(11)) >> std::get_time(&t, "%Y-%m-%d %H:%M:%S");
            dates[path] = int64_t(::timegm(&t));
        }
    }
    return dates;
}

// The dates xorriso restores from the ISO 9660 (or Joliet) records onto the
// files it extracts into a fresh folder.
DatedPaths xorrisoExtractedDates(const std::string &image)
{
    const std::string into = tempDir("xorriso") + "/out";
    run("xorriso -osirrox on -indev '" + image + "' -extract / '" + into + "'");
    DatedPaths dates;
    if (!fs::exists(into))
        return dates;
    for (const auto &entry : fs::recursive_directory_iterator(into)) {
        struct stat info = {};
        if (::lstat(entry.path().c_str(), &info) == 0)
            dates[fs::relative(entry.path(), into).string()] = int64_t(info.st_mtim.tv_sec);
    }
    return dates;
}

// Sets SOURCE_DATE_EPOCH (or, with null, unsets it) for its lifetime.
struct EpochGuard
{
    explicit EpochGuard(const char *value)
    {
        if (value)
            setenv("SOURCE_DATE_EPOCH", value, 1);
        else
            unsetenv("SOURCE_DATE_EPOCH");
    }
    ~EpochGuard() { unsetenv("SOURCE_DATE_EPOCH"); }
};

bool setModified(const std::string &path, int64_t seconds)
{
    const struct timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

struct DatedFile
{
    const char *path; // below the source folder
    int64_t date;     // its modification time, which every file system must show
};

// This file system stores dates from 1901-12-13 20:45:52 to 2446; the
// moments beyond what the records hold are ImageTimeTest's.
const DatedFile kFiles[] = {
    {"Dated/plain.txt", 981173106},   // 2001-02-03 04:05:06
    {"Dated/moon.txt", -14182940},    // 1969-07-20 20:17:40, before 1970
    {"Dated/future.txt", 4746686400}, // 2120-06-01 12:00:00, after 2100
    {"Outer/Inner/deep.txt", 981173106}, {"Outer/shallow.txt", -14182940},
};

// Folders take the latest date below them, whatever the depth.
const std::pair<const char *, int64_t> kFolders[] = {
    {"Dated", 4746686400},
    {"Outer", 981173106},
    {"Outer/Inner", 981173106},
};

TEST(FileDatesTest, EveryReaderShowsEachEntrysOwnDate)
{
    EpochGuard noEpoch(nullptr);
    const std::string source = tempDir("dates") + "/source";
    for (const DatedFile &f : kFiles)
        ASSERT_TRUE(setModified(writeFile(source + "/" + f.path, f.path), f.date)) << f.path;
    std::filesystem::create_directories(source + "/Empty");
    const Built b = build(*IsoItemTree::fromFolder(source), "DATES", kAll);
    ASSERT_EQ(b.error, "");
    const int64_t now = std::time(nullptr);

    for (const auto &[reader, dates] : {std::pair{"7-Zip (UDF)", sevenZipDates(b.image)},
                                        std::pair{"xorriso (ISO 9660)", xorrisoExtractedDates(b.image)}}) {
        for (const DatedFile &f : kFiles) {
            ASSERT_TRUE(dates.count(f.path)) << reader << " does not list " << f.path;
            EXPECT_NEAR(dates.at(f.path), f.date, 1) << reader << ": " << f.path;
        }
        for (const auto &[path, date] : kFolders) {
            ASSERT_TRUE(dates.count(path)) << reader << " does not list " << path;
            EXPECT_NEAR(dates.at(path), date, 1) << reader << ": " << path;
        }
        ASSERT_TRUE(dates.count("Empty")) << reader;
        EXPECT_NEAR(dates.at("Empty"), now, 60) << reader << ": an empty folder takes the volume's date";
    }
}

TEST(FileDatesTest, SourceDateEpochKeepsImagesIdenticalWhenSourcesChangeLater)
{
    // A DVD-Video folder with its IFO files rewritten, and extras.
    const std::string source = tempDir("epoch-dates") + "/source";
    copyFolder(samplePath("dvd-with-menus"), source);
    writeFile(source + "/Sub/b.txt", "b");
    ASSERT_TRUE(setModified(writeFile(source + "/old.txt", "old"), 981173106));
    const auto image = [&](const char *epoch) {
        EpochGuard guard(epoch);
        Built b = build(*IsoItemTree::fromDvdFolder(source), "SAME", kAll | ISO_TRACK_REALLOC);
        EXPECT_EQ(b.error, "");
        return b.image;
    };
    const std::string firstImage = image("1700000000"); // 2023-11-14 22:13:20
    const auto first = readFile(firstImage);
    EXPECT_TRUE(first == readFile(image("1700000000")));
    ASSERT_TRUE(setModified(source + "/Sub/b.txt", 1800000000));
    EXPECT_TRUE(first == readFile(image("1700000000"))) << "dates after the epoch are recorded as the epoch";
    const auto later = readFile(image("1800000000"));
    EXPECT_EQ(later.size(), first.size());
    EXPECT_FALSE(later == first) << "the time is recorded in the file systems";
    // The primary volume descriptor's creation date.
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&first[16 * SECTOR_SIZE + 813]), 14),
              "20231114221320");
    const DatedPaths dates = sevenZipDates(firstImage);
    EXPECT_EQ(dates.at("Sub/b.txt"), 1700000000);
    EXPECT_EQ(dates.at("Sub"), 1700000000);
    EXPECT_EQ(dates.at("old.txt"), 981173106) << "an earlier date stays";

    const auto fallback = readFile(image("yesterday"));
    EXPECT_GE(std::stoi(std::string(reinterpret_cast<const char *>(&fallback[16 * SECTOR_SIZE + 813]), 4)),
              2024)
        << "an invalid epoch gives the current time";
}

struct MomentCase
{
    int64_t seconds;
    uint32_t nanoseconds;
    std::array<uint8_t, 7> isoRecord;
    std::array<uint8_t, 12> udf;
};

// What the two record formats hold at and beyond their limits.
const MomentCase kMoments[] = {
    {981173106, 123456789, {101, 2, 3, 4, 5, 6, 0}, {0x00, 0x10, 0xD1, 0x07, 2, 3, 4, 5, 6, 12, 34, 56}},
    {-2208988800, 0, {0, 1, 1, 0, 0, 0, 0}, {0x00, 0x10, 0x6C, 0x07, 1, 1, 0, 0, 0, 0, 0, 0}},
    {-2209075200, 500, {0, 1, 1, 0, 0, 0, 0}, {0x00, 0x10, 0x6C, 0x07, 1, 1, 0, 0, 0, 0, 0, 0}},
    {5869583999, 0, {255, 12, 31, 23, 59, 59, 0}, {0x00, 0x10, 0x6B, 0x08, 12, 31, 23, 59, 59, 0, 0, 0}},
    {10413792000, 7, {255, 12, 31, 23, 59, 59, 0}, {0x00, 0x10, 0x6B, 0x08, 12, 31, 23, 59, 59, 0, 0, 0}},
};

TEST(ImageTimeTest, MomentsBeyondTheRecordsMoveToTheNearestTheyHold)
{
    for (const MomentCase &c : kMoments) {
        const image::ImageTime time(std::time_t(c.seconds), c.nanoseconds);
        EXPECT_EQ(time.isoRecordDate(), c.isoRecord) << c.seconds;
        EXPECT_EQ(time.udfTimestamp(), c.udf) << c.seconds;
    }
}

} // namespace
