// Names, labels and sizes as each file system sees them.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace imagetest;
using namespace imagecheck;

namespace {

struct NameCase
{
    const char *source; // file name in the tree
    const char *iso;    // expected ISO 9660 record name
    const char *joliet; // expected Joliet record name
};

const NameCase kNames[] = {
    {"VIDEO_TS.IFO", "VIDEO_TS.IFO;1", "VIDEO_TS.IFO;1"},
    {"readme.txt", "README.TXT;1", "readme.txt;1"},
    {"a.b.c", "A_B.C;1", "a.b.c;1"},
    {"noext", "NOEXT.;1", "noext;1"},
    {"Umlaut-ä.txt", "UMLAUT__.TXT;1", "Umlaut-ä.txt;1"},
    {"ABC.txt", "ABC.TXT;1", "ABC.txt;1"},
    {"abc.txt", "ABC1.TXT;1", "abc1.txt;1"}, // readers compare case-blind
    {"abcdefghijklmnopqrstuvwxyz0123456789abcd.dat", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0.DAT;1",
     "abcdefghijklmnopqrstuvwxyz0123456789abcd.dat;1"},
    {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx.txt",
     "XXXXXXXXXXXXXXXXXXXXXXXXXXX.TXT;1",
     "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx.txt;1"},
    {"what?.txt", "WHAT_.TXT;1", "what_.txt;1"},
};

TEST(NameRulesTest, EachFileSystemNamesEveryEntryByItsOwnRules)
{
    const std::string folder = tempDir("names");
    IsoItemTree tree;
    for (const NameCase &c : kNames)
        tree.addFile(nullptr, c.source, writeFile(folder + "/" + std::to_string(&c - kNames), c.source));
    tree.addFolder(nullptr, "my.folder");
    tree.addFile(nullptr, "€uro.txt", writeFile(folder + "/euro", "16-bit name"));
    const Built names = build(tree, "NAMES", kAll);
    ASSERT_EQ(names.error, "");
    const std::string &image = names.image;

    std::map<std::string, uint64_t> iso;
    std::vector<std::string> isoOrder;
    for (const auto &e : isoinfoListing(image, false)) {
        iso[e.name] = e.size;
        isoOrder.push_back(e.name);
    }
    std::map<std::string, uint64_t> joliet;
    for (const auto &e : isoinfoListing(image, true))
        joliet[e.name] = e.size;
    for (const NameCase &c : kNames) {
        EXPECT_EQ(iso.count(c.iso), 1u) << c.source << " -> " << c.iso;
        EXPECT_EQ(iso[c.iso], std::string(c.source).size()) << c.iso << " carries its own file";
        EXPECT_EQ(joliet.count(c.joliet), 1u) << c.source << " -> " << c.joliet;
    }
    EXPECT_EQ(iso.count("MY_FOLDER"), 1u);
    EXPECT_EQ(iso.size(), std::size(kNames) + 2);
    // Records sorted by name part, then extension ("A_B.C" before "ABC").
    auto sorted = isoOrder;
    std::sort(sorted.begin(), sorted.end(), [](const std::string &a, const std::string &b) {
        const auto split = [](const std::string &s) {
            const auto dot = s.find('.');
            return std::make_pair(s.substr(0, dot), dot == std::string::npos ? "" : s.substr(dot));
        };
        return split(a) < split(b);
    });
    EXPECT_EQ(isoOrder, sorted);

    UdfImage udf(image);
    std::vector<std::string> udfNames;
    for (const auto &e : udf.list("/"))
        udfNames.push_back(e.name);
    for (const NameCase &c : kNames)
        EXPECT_NE(std::find(udfNames.begin(), udfNames.end(), c.source), udfNames.end()) << c.source;
    EXPECT_EQ(*udf.read("/€uro.txt"), readFile(folder + "/euro"));
}

TEST(LargeFileTest, FourGigabytesAndMoreBecomeSeveralExtentsInEveryFileSystem)
{
    const std::string folder = tempDir("large");
    const uint64_t size = 4ull * 1024 * 1024 * 1024 + 512ull * 1024 * 1024 + 100; // sparse
    const std::string big = writeFile(folder + "/big.bin", "HEAD");
    std::filesystem::resize_file(big, size - 4);
    std::ofstream(big, std::ios::binary | std::ios::app) << "TAIL";
    IsoItemTree tree;
    tree.addFile(nullptr, "big.bin", big);
    tree.addFile(nullptr, "after.txt", writeFile(folder + "/after.txt", "after"));
    const Built b = build(tree, "LARGE", kAll);
    ASSERT_EQ(b.error, "");
    for (bool joliet : {false, true}) {
        std::vector<ListedEntry> parts;
        for (const auto &e : isoinfoListing(b.image, joliet))
            if (e.name == (joliet ? "big.bin;1" : "BIG.BIN;1"))
                parts.push_back(e);
        ASSERT_EQ(parts.size(), 2u) << (joliet ? "Joliet" : "ISO 9660");
        EXPECT_EQ(parts[0].size, 0xFFFFF800u);
        EXPECT_EQ(parts[0].size + parts[1].size, size);
        EXPECT_EQ(parts[1].extent, parts[0].extent + 0xFFFFF800u / SECTOR_SIZE);
    }
    UdfImage udf(b.image);
    EXPECT_EQ(*udf.size("/big.bin"), int64_t(size));
    EXPECT_EQ(*udf.readAt("/big.bin", 0, 4), bytes("HEAD"));
    EXPECT_EQ(*udf.readAt("/big.bin", int64_t(size - 4), 4), bytes("TAIL"));
    EXPECT_EQ(*udf.read("/after.txt"), bytes("after"));
}

TEST(LargeFileTest, FileTooLargeForAUdfFileEntryIsRefusedByName)
{
    const std::string folder = tempDir("huge");
    const std::string huge = writeFile(folder + "/huge.bin", "");
    std::filesystem::resize_file(huge, 300ull << 30);
    IsoItemTree tree;
    tree.addFile(nullptr, "huge.bin", huge);
    TrackPtr track(CreateIsoImageTrack(tree.root(), "HUGE", kAll));
    ASSERT_TRUE(track);
    const char *error = track->vtbl->layoutError(track.get());
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::string(error).find(huge), std::string::npos) << error;
    EXPECT_EQ(track->vtbl->openStream(track.get()), -1);
}

struct LabelCase
{
    const char *label;
    const char *iso;        // ISO 9660 volume identifier without the padding
    const char *joliet;     // Joliet volume identifier
    const char *udfPrimary; // UDF primary volume descriptor's volume identifier
    const char *udfLogical; // UDF logical volume identifier
};

const LabelCase kLabels[] = {
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "ABCDEFGHIJKLMNOP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "ABCDEFGHIJKLMNOP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "ABCDEFGHIJKLMNOP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
    {"My.Disc 2", "MY_DISC_2", "My.Disc 2", "My.Disc 2", "My.Disc 2"},
};

// A space-padded identifier; with two bytes a character, the UCS-2
// big-endian identifier of Joliet (the labels here are ASCII).
std::string field(const std::vector<uint8_t> &image, size_t at, size_t width, size_t step)
{
    std::string text;
    for (size_t i = step - 1; i < width; i += step)
        text.push_back(char(image[at + i]));
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// An 8-bit d-string: the compression byte, the text, its length at the end.
std::string dString(const std::vector<uint8_t> &image, size_t at, size_t width)
{
    const size_t used = image[at + width - 1];
    return used > 1 ? std::string(reinterpret_cast<const char *>(&image[at + 1]), used - 1) : "";
}

TEST(VolumeLabelTest, EachFieldHoldsAllTheLabelItHasRoomFor)
{
    const std::string file = writeFile(tempDir("label") + "/a.txt", "a");
    for (const LabelCase &c : kLabels) {
        SCOPED_TRACE(c.label);
        IsoItemTree tree;
        tree.addFile(nullptr, "a.txt", file);
        const Built b = build(tree, c.label, kAll);
        ASSERT_EQ(b.error, "");
        const auto bytes = readFile(b.image);
        EXPECT_EQ(field(bytes, 16 * SECTOR_SIZE + 40, 32, 1), c.iso);
        EXPECT_EQ(field(bytes, 17 * SECTOR_SIZE + 40, 32, 2), c.joliet);
        EXPECT_EQ(UdfImage(b.image).volumeId(), c.udfPrimary);
        // The logical volume descriptor, fourth in the main sequence at 32.
        EXPECT_EQ(dString(bytes, 35 * SECTOR_SIZE + 84, 128), c.udfLogical);
    }
}

} // namespace
