// Folders deeper than ISO 9660 allows, read by isoinfo and a UDF reader.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <set>

using namespace imagetest;
using namespace imagecheck;

namespace {

constexpr const char *kLabel = "DEEP_AND_DATED_FOLDERS_012345678";

std::string chain(int from, int to)
{
    std::string path;
    for (int level = from; level <= to; ++level)
        path += (path.empty() ? "L" : "/L") + std::string(level < 10 ? "0" : "") + std::to_string(level);
    return path;
}

// Where each extra file lies in the source, and where the ISO 9660 and
// Joliet trees must show it.
struct Placed
{
    std::string source, iso, joliet;
};

const std::vector<Placed> kExtras = {
    {chain(1, 30) + "/bottom.txt", "/RR_MOVED1/L26/L27/L28/L29/L30/BOTTOM.TXT;1",
     "/RR_MOVED1/L26/L27/L28/L29/L30/bottom.txt;1"},
    {chain(1, 7) + "/middle.txt", "/" + chain(1, 7) + "/MIDDLE.TXT;1", "/" + chain(1, 7) + "/middle.txt;1"},
    {chain(1, 9) + "/nine.txt", "/RR_MOVED1/L08/L09/NINE.TXT;1", "/RR_MOVED1/L08/L09/nine.txt;1"},
    {"Aa/A2/A3/A4/A5/A6/A7/Same/a.txt", "/RR_MOVED1/SAME/A.TXT;1", "/RR_MOVED1/Same/a.txt;1"},
    {"Bb/B2/B3/B4/B5/B6/B7/Same/b.txt", "/RR_MOVED1/SAME1/B.TXT;1", "/RR_MOVED1/Same1/b.txt;1"},
    {"rr_moved/user.txt", "/RR_MOVED/USER.TXT;1", "/rr_moved/user.txt;1"},
};

TEST(DeepFoldersReadersTest, EachMoveIsLoggedAndEveryReaderFindsEveryFile)
{
    const std::string disc = tempDir("deep") + "/disc";
    copyFolder(samplePath("dvd-menuless"), disc);
    for (const Placed &p : kExtras)
        writeFile(disc + "/" + p.source, p.source);
    const Built b = build(*IsoItemTree::fromDvdFolder(disc), kLabel, kAll);
    ASSERT_EQ(b.error, "") << "the strict check allows eight levels";

    const auto &notes = imageTrackOf(b.track.get())->notes();
    EXPECT_EQ(notes.size(), 6u); // L08, L14, L20, L26 and the two Same folders
    std::string all;
    for (const auto &note : notes)
        all += note + "\n";
    for (const std::string &named :
         std::vector<std::string>{"/" + chain(1, 8), "/RR_MOVED1/L08", "/RR_MOVED1/L26",
                                  "/Bb/B2/B3/B4/B5/B6/B7/Same", "/RR_MOVED1/SAME1"})
        EXPECT_NE(all.find("\"" + named + "\""), std::string::npos) << named << " in " << all;

    for (bool joliet : {false, true}) {
        std::set<std::string> files;
        for (const auto &e : isoinfoListing(b.image, joliet))
            if (!e.isFolder)
                files.insert(e.folder + e.name);
        EXPECT_EQ(files.size(), filesBelow(disc).size()) << (joliet ? "Joliet" : "ISO 9660");
        for (const Placed &p : kExtras)
            EXPECT_TRUE(files.count(joliet ? p.joliet : p.iso)) << (joliet ? p.joliet : p.iso);
        EXPECT_TRUE(files.count("/VIDEO_TS/VIDEO_TS.IFO;1")) << "DVD-Video files stay where they are";
    }
    UdfImage udf(b.image);
    ASSERT_TRUE(udf.isOpen());
    for (const std::string &file : filesBelow(disc))
        EXPECT_TRUE(udf.read("/" + file) == readFile(disc + "/" + file)) << file;
}

} // namespace
