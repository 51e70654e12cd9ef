// Images of the committed DVD-Video samples, read back by libdvdread,
// libudfread and isoinfo for every file-system combination the program
// uses; each reader checks the cases that hold its file system.

#include "BuiltImage.h"
#include "DvdVideoLayoutCheck.h"
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

// The DVD-Video files of a sample in the order players read them.
std::vector<std::string> playerOrder(const IsoItemTree &tree)
{
    std::vector<std::string> names;
    for (IsoItem *item = tree.root(); item; item = item->nextSibling)
        if (std::string(item->name) == "VIDEO_TS")
            for (IsoItem *file = item->firstChild; file; file = file->nextSibling)
                names.push_back(file->name);
    return names;
}

void expectLibdvdreadPlays(const std::string &image)
{
    dvd_reader_t *dvd = DVDOpen(image.c_str());
    ASSERT_NE(dvd, nullptr);
    ifo_handle_t *vmg = ifoOpen(dvd, 0);
    ASSERT_NE(vmg, nullptr);
    EXPECT_GE(vmg->vmgi_mat->vmg_nr_of_title_sets, 1);
    for (int set = 1; set <= vmg->vmgi_mat->vmg_nr_of_title_sets; ++set) {
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

TEST(ImageReadersTest, EverySampleInEveryFileSystemMix)
{
    const struct
    {
        const char *sample;
        uint32_t flags;
    } cases[] = {
        {"dvd-menuless", kBridge},
        {"dvd-menuless", kBridge | ISO_TRACK_REALLOC},
        {"dvd-with-menus", kBridge},
        {"dvd-with-menus", kAll},
        {"dvd-with-menus", kAll | ISO_TRACK_MODE2},
        {"dvd-with-menus", kAll | ISO_TRACK_REALLOC},
        {"dvd-with-menus", ISO_TRACK_ISO9660},
        {"dvd-with-menus", ISO_TRACK_UDF},
        {"dvd-with-menus", ISO_TRACK_ISO9660 | ISO_TRACK_JOLIET | ISO_TRACK_MODE2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.sample) + " with flags " + std::to_string(c.flags));
        const auto has = [&](uint32_t flag) { return (c.flags & flag) != 0; };
        const bool menus = std::string(c.sample) == "dvd-with-menus";
        const std::string source = samplePath(c.sample);
        const auto tree = IsoItemTree::fromDvdFolder(source);
        const Built b = build(*tree, "SAMPLE_DISC", c.flags);
        ASSERT_EQ(b.error, "");
        const IsoTrackVtbl &t = *b.track->vtbl;
        EXPECT_EQ(std::filesystem::file_size(b.image), uint64_t(t.sizeInBlocks(b.track.get())) * SECTOR_SIZE);
        EXPECT_EQ(t.fileCount(b.track.get()), int(filesBelow(source).size()));
        EXPECT_EQ(t.fsFlags(b.track.get()), c.flags);
        EXPECT_STREQ(t.volumeLabel(b.track.get()), "SAMPLE_DISC");
        const auto bytes = readFile(b.image);
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(&bytes[16 * SECTOR_SIZE + 1024]), 8) ==
                      "CD-XA001",
                  has(ISO_TRACK_MODE2));
        EXPECT_EQ(t.isMode2(b.track.get()), has(ISO_TRACK_MODE2) ? 1 : 0);

        if (has(ISO_TRACK_UDF)) {
            expectLibdvdreadPlays(b.image);
            // Every file where the image's IFO says, none sharing a block.
            EXPECT_EQ(t.placementWarning(b.track.get()), nullptr);
            EXPECT_EQ(t.reallocFailed(b.track.get()), 0);
            EXPECT_EQ(placementMismatches(b.image), std::vector<std::string>{});
            if (has(ISO_TRACK_REALLOC)) {
                EXPECT_EQ(sharedBlocks(b.image), std::vector<std::string>{});
            }
            UdfImage udf(b.image);
            ASSERT_TRUE(udf.isOpen());
            EXPECT_EQ(udf.volumeId(), "SAMPLE_DISC");
            for (const std::string &relative : filesBelow(source)) {
                const auto read = udf.read("/" + relative);
                ASSERT_TRUE(read) << relative;
                const auto original = readFile(source + "/" + relative);
                const bool corrected =
                    has(ISO_TRACK_REALLOC) && (relative.ends_with(".IFO") || relative.ends_with(".BUP"));
                EXPECT_TRUE(corrected ? read->size() == original.size() : *read == original) << relative;
            }
            std::vector<std::string> listed;
            for (const auto &entry : udf.list("/VIDEO_TS"))
                listed.push_back(entry.name);
            EXPECT_EQ(listed, playerOrder(*tree));
            EXPECT_EQ(udf.list("/").front().name, "AUDIO_TS");
        }
        if (has(ISO_TRACK_ISO9660)) {
            std::map<std::string, ListedEntry> listed;
            for (const auto &e : isoinfoListing(b.image, false))
                listed[e.folder + e.name] = e;
            EXPECT_TRUE(listed.count("/AUDIO_TS"));
            if (menus) {
                EXPECT_EQ(listed["/README.TXT;1"].size, 32u);
                EXPECT_EQ(listed["/EXTRAS/B_CHER/LIESMICH.TXT;1"].size, 47u);
            }
            // The data follows the player order even though the records are sorted.
            uint32_t previous = 0;
            for (const std::string &name : playerOrder(*tree)) {
                const ListedEntry &e = listed["/VIDEO_TS/" + name + ";1"];
                EXPECT_EQ(e.size, std::filesystem::file_size(source + "/VIDEO_TS/" + name)) << name;
                EXPECT_GT(e.extent, previous) << name;
                previous = e.extent;
            }
        }
        if (has(ISO_TRACK_JOLIET)) {
            std::map<std::string, uint64_t> listed;
            for (const auto &e : isoinfoListing(b.image, true))
                listed[e.folder + e.name] = e.size;
            EXPECT_EQ(listed["/VIDEO_TS/VIDEO_TS.IFO;1"],
                      std::filesystem::file_size(source + "/VIDEO_TS/VIDEO_TS.IFO"));
            if (menus) {
                EXPECT_EQ(listed["/Extras/Bücher/Liesmich.txt;1"], 47u);
            }
        }
    }
}

} // namespace
