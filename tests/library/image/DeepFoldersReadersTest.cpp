// A DVD-Video folder with dated extras thirty levels deep, two deep folders
// whose moved names clash, a folder of the user's named like the one moved
// folders go to, and a 32-character label, read by every outside reader.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "ReaderDates.h"
#include "UdfImage.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace imagetest;
using namespace imagecheck;

namespace fs = std::filesystem;

namespace {

constexpr const char *kLabel = "DEEP_AND_DATED_FOLDERS_012345678";

std::string chain(int from, int to)
{
    std::string path;
    for (int level = from; level <= to; ++level) {
        char name[8];
        std::snprintf(name, sizeof name, "L%02d", level);
        path += std::string(path.empty() ? "" : "/") + name;
    }
    return path;
}

// Where each extra file lies in the source, and where the ISO 9660 and
// Joliet trees must show it.
struct Placed
{
    std::string source;
    std::string iso;
    std::string joliet;
};

const std::vector<Placed> &extras()
{
    static const std::vector<Placed> placed = {
        {chain(1, 30) + "/bottom.txt", "/RR_MOVED1/L26/L27/L28/L29/L30/BOTTOM.TXT;1",
         "/RR_MOVED1/L26/L27/L28/L29/L30/bottom.txt;1"},
        {chain(1, 7) + "/middle.txt", "/" + chain(1, 7) + "/MIDDLE.TXT;1",
         "/" + chain(1, 7) + "/middle.txt;1"},
        {chain(1, 9) + "/nine.txt", "/RR_MOVED1/L08/L09/NINE.TXT;1", "/RR_MOVED1/L08/L09/nine.txt;1"},
        {"Aa/A2/A3/A4/A5/A6/A7/Same/a.txt", "/RR_MOVED1/SAME/A.TXT;1", "/RR_MOVED1/Same/a.txt;1"},
        {"Bb/B2/B3/B4/B5/B6/B7/Same/b.txt", "/RR_MOVED1/SAME1/B.TXT;1", "/RR_MOVED1/Same1/b.txt;1"},
        {"rr_moved/user.txt", "/RR_MOVED/USER.TXT;1", "/rr_moved/user.txt;1"},
    };
    return placed;
}

int levelsOf(const std::string &folder)
{
    return int(std::count(folder.begin(), folder.end(), '/'));
}

class DeepFoldersReadersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const std::string folder = tempDir("deep");
        disc = folder + "/disc";
        copyFolder(samplePath("dvd-menuless"), disc);
        int64_t date = 981173106;
        for (const Placed &p : extras()) {
            fs::create_directories(fs::path(disc + "/" + p.source).parent_path());
            std::ofstream(disc + "/" + p.source) << p.source;
        }
        for (const std::string &file : filesBelow(disc)) {
            ASSERT_TRUE(setModified(disc + "/" + file, date));
            sourceDates[fs::path(file).filename().string()] = date;
            date += 86400 * 400 + 3661;
        }
        tree = IsoItemTree::fromDvdFolder(disc);
        track.reset(
            CreateIsoImageTrack(tree->root(), kLabel, ISO_TRACK_ISO9660 | ISO_TRACK_UDF | ISO_TRACK_JOLIET));
        image = folder + "/deep.iso";
        ASSERT_EQ(writeImage(track.get(), image), "") << "the strict check allows eight levels";
    }

    std::string disc;
    std::map<std::string, int64_t> sourceDates; // by file name, unique here
    std::unique_ptr<IsoItemTree> tree;
    TrackPtr track;
    std::string image;
};

TEST_F(DeepFoldersReadersTest, EachMoveIsNamedInTheLog)
{
    const auto &notes = imageTrackOf(track.get())->notes();
    ASSERT_EQ(notes.size(), 6u); // L08, L14, L20, L26 and the two Same folders
    std::string all;
    for (const auto &note : notes)
        all += note + "\n";
    EXPECT_NE(all.find("\"/" + chain(1, 8) + "\""), std::string::npos) << all;
    EXPECT_NE(all.find("\"/RR_MOVED1/L08\""), std::string::npos) << all;
    EXPECT_NE(all.find("\"/RR_MOVED1/L26\""), std::string::npos) << all;
    EXPECT_NE(all.find("\"/Bb/B2/B3/B4/B5/B6/B7/Same\""), std::string::npos) << all;
    EXPECT_NE(all.find("\"/RR_MOVED1/SAME1\""), std::string::npos) << all;
}

TEST_F(DeepFoldersReadersTest, IsoinfoFindsEveryFileWithinEightLevels)
{
    const size_t sources = filesBelow(disc).size();
    for (bool joliet : {false, true}) {
        std::set<std::string> files;
        for (const auto &e : isoinfoListing(image, joliet)) {
            EXPECT_LE(levelsOf(e.folder), 8) << e.folder;
            if (!e.isFolder)
                files.insert(e.folder + e.name);
        }
        EXPECT_EQ(files.size(), sources) << (joliet ? "Joliet" : "ISO 9660");
        for (const Placed &p : extras())
            EXPECT_TRUE(files.count(joliet ? p.joliet : p.iso)) << (joliet ? p.joliet : p.iso);
        EXPECT_TRUE(files.count("/VIDEO_TS/VIDEO_TS.IFO;1")) << "DVD-Video files stay where they are";
    }
    const auto info = run("isoinfo -d -i '" + image + "'");
    EXPECT_NE(info.output.find(std::string("Volume id: ") + kLabel + "\n"), std::string::npos) << info.output;
}

TEST_F(DeepFoldersReadersTest, XorrisoFindsEveryFileWithinEightLevels)
{
    const auto found = run("xorriso -indev '" + image + "' -find / -type f 2>/dev/null");
    std::istringstream in(found.output);
    std::string line;
    size_t files = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '\'')
            continue;
        ++files;
        EXPECT_LE(levelsOf(line) - 1, 8) << line;
    }
    EXPECT_EQ(files, filesBelow(disc).size()) << found.output;
}

TEST_F(DeepFoldersReadersTest, UdfReadersSeeTheTrueTreeAndDates)
{
    UdfImage udf(image);
    ASSERT_TRUE(udf.isOpen());
    for (const std::string &file : filesBelow(disc)) {
        const auto bytes = udf.read("/" + file);
        ASSERT_TRUE(bytes) << file;
        EXPECT_TRUE(*bytes == readFile(disc + "/" + file)) << file;
    }
    const DatedPaths dates = sevenZipDates(image);
    for (const std::string &file : filesBelow(disc)) {
        ASSERT_TRUE(dates.count(file)) << "7-Zip does not list " << file;
        EXPECT_NEAR(dates.at(file), sourceDates.at(fs::path(file).filename().string()), 1) << file;
    }
    EXPECT_NEAR(dates.at(chain(1, 29)), sourceDates.at("bottom.txt"), 1)
        << "a folder takes the latest date below it";
}

TEST_F(DeepFoldersReadersTest, IsoDatesAreTheSourcesDates)
{
    const DatedPaths dates = xorrisoExtractedDates(image);
    size_t files = 0;
    for (const auto &[path, date] : dates) {
        const std::string name = fs::path(path).filename().string();
        if (!sourceDates.count(name))
            continue;
        ++files;
        EXPECT_NEAR(date, sourceDates.at(name), 1) << path;
    }
    EXPECT_EQ(files, filesBelow(disc).size());
}

TEST_F(DeepFoldersReadersTest, LibdvdreadOpensTheTitles)
{
    dvd_reader_t *dvd = DVDOpen(image.c_str());
    ASSERT_NE(dvd, nullptr);
    ifo_handle_t *vmg = ifoOpen(dvd, 0);
    ASSERT_NE(vmg, nullptr);
    ifo_handle_t *vts = ifoOpen(dvd, 1);
    EXPECT_NE(vts, nullptr);
    if (vts)
        ifoClose(vts);
    ifoClose(vmg);
    DVDClose(dvd);
}

} // namespace
