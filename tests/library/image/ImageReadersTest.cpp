// Images of the committed DVD-Video samples, read back by libdvdread,
// libudfread and isoinfo for every file-system combination the program uses.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/IsoImageTrack.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace imagetest;
using namespace imagecheck;

namespace {

struct Case
{
    const char *sample;
    uint32_t flags;
};

// How test listings show a case, instead of its raw bytes.
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.sample << " with flags 0x" << std::hex << c.flags << std::dec;
}

std::string caseName(const testing::TestParamInfo<Case> &info)
{
    std::string name = info.param.sample;
    for (auto &c : name)
        if (c == '-')
            c = '_';
    return name + "_flags" + std::to_string(info.param.flags);
}

// The DVD-Video files of a sample in the order players read them.
std::vector<std::string> playerOrder(const std::string &sample)
{
    auto tree = IsoItemTree::fromDvdFolder(samplePath(sample));
    std::vector<std::string> names;
    for (IsoItem *item = tree->root(); item; item = item->nextSibling)
        if (std::string(item->name) == "VIDEO_TS")
            for (IsoItem *file = item->firstChild; file; file = file->nextSibling)
                names.push_back(file->name);
    return names;
}

class ImageReadersTest : public testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        source = samplePath(GetParam().sample);
        tree = IsoItemTree::fromDvdFolder(source);
        track.reset(CreateIsoImageTrack(tree->root(), "SAMPLE_DISC", GetParam().flags));
        ASSERT_TRUE(track);
        ASSERT_EQ(track->vtbl->layoutError(track.get()), nullptr);
        image = tempDir("readers") + "/disc.iso";
        ASSERT_EQ(writeImage(track.get(), image), "");
    }

    bool has(uint32_t flag) const { return GetParam().flags & flag; }

    std::string source;
    std::unique_ptr<IsoItemTree> tree;
    TrackPtr track;
    std::string image;
};

TEST_P(ImageReadersTest, ImageHasTheAnnouncedSize)
{
    EXPECT_EQ(std::filesystem::file_size(image),
              uint64_t(track->vtbl->sizeInBlocks(track.get())) * SECTOR_SIZE);
    EXPECT_EQ(track->vtbl->fileCount(track.get()), int(filesBelow(source).size()));
    EXPECT_EQ(track->vtbl->fsFlags(track.get()), GetParam().flags);
    EXPECT_STREQ(track->vtbl->volumeLabel(track.get()), "SAMPLE_DISC");
}

TEST_P(ImageReadersTest, LibdvdreadOpensTheVmgAndEveryTitleSet)
{
    if (!has(ISO_TRACK_UDF))
        GTEST_SKIP() << "libdvdread finds DVD-Video files through UDF";
    dvd_reader_t *dvd = DVDOpen(image.c_str());
    ASSERT_NE(dvd, nullptr);
    ifo_handle_t *vmg = ifoOpen(dvd, 0);
    ASSERT_NE(vmg, nullptr);
    const int titleSets = vmg->vmgi_mat->vmg_nr_of_title_sets;
    EXPECT_GE(titleSets, 1);
    for (int set = 1; set <= titleSets; ++set) {
        ifo_handle_t *vts = ifoOpen(dvd, set);
        EXPECT_NE(vts, nullptr) << "title set " << set;
        if (vts)
            ifoClose(vts);
        dvd_file_t *vobs = DVDOpenFile(dvd, set, DVD_READ_TITLE_VOBS);
        ASSERT_NE(vobs, nullptr) << "title set " << set;
        unsigned char block[DVD_VIDEO_LB_LEN];
        ASSERT_EQ(DVDReadBlocks(vobs, 0, 1, block), 1);
        EXPECT_EQ(block[0] << 24 | block[1] << 16 | block[2] << 8 | block[3], 0x000001BA) << "a pack header";
        DVDCloseFile(vobs);
    }
    ifoClose(vmg);
    DVDClose(dvd);
}

TEST_P(ImageReadersTest, LibudfreadReadsEveryFileByteForByte)
{
    if (!has(ISO_TRACK_UDF))
        GTEST_SKIP() << "no UDF volume";
    UdfImage udf(image);
    ASSERT_TRUE(udf.isOpen());
    EXPECT_EQ(udf.volumeId(), "SAMPLE_DISC");
    for (const std::string &relative : filesBelow(source)) {
        const auto bytes = udf.read("/" + relative);
        ASSERT_TRUE(bytes) << relative;
        const bool corrected =
            has(ISO_TRACK_REALLOC) && (relative.ends_with(".IFO") || relative.ends_with(".BUP"));
        if (corrected)
            EXPECT_EQ(bytes->size(), readFile(source + "/" + relative).size()) << relative;
        else
            EXPECT_TRUE(*bytes == readFile(source + "/" + relative)) << relative;
    }
    std::vector<std::string> listed;
    for (const auto &entry : udf.list("/VIDEO_TS"))
        listed.push_back(entry.name);
    EXPECT_EQ(listed, playerOrder(GetParam().sample));
    EXPECT_EQ(udf.list("/").front().name, "AUDIO_TS");
}

TEST_P(ImageReadersTest, IsoinfoListsTheIsoNamesAndSizes)
{
    if (has(ISO_TRACK_UDF) && !has(ISO_TRACK_ISO9660))
        GTEST_SKIP() << "UDF only";
    std::map<std::string, uint64_t> listed;
    std::map<std::string, uint32_t> extents;
    for (const auto &e : isoinfoListing(image, false)) {
        listed[e.folder + e.name] = e.size;
        extents[e.name] = e.extent;
    }
    for (const std::string &name : playerOrder(GetParam().sample))
        EXPECT_EQ(listed["/VIDEO_TS/" + name + ";1"],
                  std::filesystem::file_size(source + "/VIDEO_TS/" + name))
            << name;
    EXPECT_TRUE(listed.count("/AUDIO_TS"));
    if (std::string(GetParam().sample) == "dvd-with-menus") {
        EXPECT_EQ(listed["/README.TXT;1"], 32u);
        EXPECT_EQ(listed["/EXTRAS/B_CHER/LIESMICH.TXT;1"], 47u);
    }
    // The data follows the player order even though the records are sorted.
    uint32_t previous = 0;
    for (const std::string &name : playerOrder(GetParam().sample)) {
        EXPECT_GT(extents[name + ";1"], previous) << name;
        previous = extents[name + ";1"];
    }
}

TEST_P(ImageReadersTest, JolietKeepsTheOriginalNames)
{
    if (!has(ISO_TRACK_JOLIET))
        GTEST_SKIP() << "no Joliet volume";
    std::map<std::string, uint64_t> listed;
    for (const auto &e : isoinfoListing(image, true))
        listed[e.folder + e.name] = e.size;
    EXPECT_EQ(listed["/VIDEO_TS/VIDEO_TS.IFO;1"],
              std::filesystem::file_size(source + "/VIDEO_TS/VIDEO_TS.IFO"));
    if (std::string(GetParam().sample) == "dvd-with-menus") {
        EXPECT_EQ(listed["/Extras/Bücher/Liesmich.txt;1"], 47u);
    }
}

TEST_P(ImageReadersTest, Mode2MarksTheVolumeAsCdRomXa)
{
    const auto bytes = readFile(image);
    ASSERT_GT(bytes.size(), 17u * SECTOR_SIZE);
    const std::string marker(reinterpret_cast<const char *>(&bytes[16 * SECTOR_SIZE + 1024]), 8);
    EXPECT_EQ(marker == "CD-XA001", has(ISO_TRACK_MODE2));
    EXPECT_EQ(track->vtbl->isMode2(track.get()), has(ISO_TRACK_MODE2) ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Samples, ImageReadersTest,
                         testing::Values(Case{"dvd-menuless", 0x18}, Case{"dvd-menuless", 0x58},
                                         Case{"dvd-with-menus", 0x18}, Case{"dvd-with-menus", 0x19},
                                         Case{"dvd-with-menus", 0x1B}, Case{"dvd-with-menus", 0x59},
                                         Case{"dvd-with-menus", 0x08}, Case{"dvd-with-menus", 0x10},
                                         Case{"dvd-with-menus", 0x0B}),
                         caseName);

} // namespace
