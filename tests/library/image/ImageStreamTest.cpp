// What the stream does when the sources change under it, and that a fixed
// SOURCE_DATE_EPOCH gives the same image twice.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace imagetest;
using namespace imagecheck;

namespace {

void writeText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool startsWith(const char *text, const std::string &prefix)
{
    return text && std::string(text).rfind(prefix, 0) == 0;
}

class SourceChangeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = tempDir("sources");
        writeText(folder + "/first.txt", std::string(5000, 'a'));
        writeText(folder + "/second.txt", std::string(3000, 'b'));
        tree = IsoItemTree::fromFolder(folder);
        image = folder + "/../out.iso";
    }
    std::string folder;
    std::string image;
    std::unique_ptr<IsoItemTree> tree;
};

TEST_F(SourceChangeTest, MissingSourceIsNamedWhenTheTrackIsCreated)
{
    tree->addFile(nullptr, "gone.vob", folder + "/gone.vob");
    TrackPtr track(CreateIsoImageTrack(tree->root(), "GONE", kBridge));
    ASSERT_TRUE(track);
    const char *error = track->vtbl->layoutError(track.get());
    EXPECT_TRUE(startsWith(error, "Required file")) << (error ? error : "(none)");
    EXPECT_NE(std::string(error).find(folder + "/gone.vob"), std::string::npos);
    EXPECT_EQ(track->vtbl->openStream(track.get()), -1);
    EXPECT_STREQ(track->vtbl->lastError(track.get()), error);
}

TEST_F(SourceChangeTest, SourceRemovedAfterTheLayoutFailsTheStream)
{
    TrackPtr track(CreateIsoImageTrack(tree->root(), "REMOVED", kBridge));
    ASSERT_EQ(track->vtbl->layoutError(track.get()), nullptr);
    std::filesystem::remove(folder + "/second.txt");
    const std::string error = writeImage(track.get(), image);
    EXPECT_TRUE(startsWith(error.c_str(), "Required file")) << error;
    EXPECT_NE(error.find(folder + "/second.txt"), std::string::npos) << error;
}

TEST_F(SourceChangeTest, SourceThatGrewAfterTheLayoutFailsTheStream)
{
    TrackPtr track(CreateIsoImageTrack(tree->root(), "GROWN", kBridge));
    writeText(folder + "/first.txt", std::string(7000, 'a'));
    const std::string error = writeImage(track.get(), image);
    EXPECT_NE(error.find("changed while it was being burned: " + folder + "/first.txt"), std::string::npos)
        << error;
}

TEST_F(SourceChangeTest, SourceThatShrankAfterTheLayoutFailsTheStream)
{
    TrackPtr track(CreateIsoImageTrack(tree->root(), "SHRUNK", kBridge));
    writeText(folder + "/second.txt", "b");
    const std::string error = writeImage(track.get(), image);
    EXPECT_NE(error.find("changed while it was being burned: " + folder + "/second.txt"), std::string::npos)
        << error;
}

TEST_F(SourceChangeTest, SourceRewrittenWithTheSameSizeFailsTheStream)
{
    TrackPtr track(CreateIsoImageTrack(tree->root(), "REWRITTEN", kBridge));
    writeText(folder + "/first.txt", std::string(5000, 'c'));
    const auto later = std::filesystem::last_write_time(folder + "/first.txt") + std::chrono::seconds(5);
    std::filesystem::last_write_time(folder + "/first.txt", later);
    const std::string error = writeImage(track.get(), image);
    EXPECT_NE(error.find("changed while it was being burned: " + folder + "/first.txt"), std::string::npos)
        << error;
}

TEST_F(SourceChangeTest, SourceThatGrowsWhileItIsReadFailsTheStream)
{
    // Block by block until the first block of first.txt, then the file
    // grows: the data already taken no longer matches the file.
    TrackPtr track(CreateIsoImageTrack(tree->root(), "GROWING", kBridge));
    const IsoTrackVtbl &t = *track->vtbl;
    ASSERT_EQ(t.openStream(track.get()), 0);
    std::vector<uint8_t> block(SECTOR_SIZE);
    const std::vector<uint8_t> firstData(SECTOR_SIZE, 'a');
    int32_t got = 0;
    while ((got = t.readBlocks(track.get(), block.data(), 1)) == 1 && block != firstData) {
    }
    ASSERT_EQ(got, 1) << "first.txt's data was not found";
    std::ofstream(folder + "/first.txt", std::ios::binary | std::ios::app) << std::string(100, 'a');
    while ((got = t.readBlocks(track.get(), block.data(), 1)) > 0) {
    }
    ASSERT_EQ(got, -1);
    const std::string error = t.lastError(track.get());
    EXPECT_NE(error.find("changed while it was being burned: " + folder + "/first.txt"), std::string::npos)
        << error;
    t.closeStream(track.get());
}

TEST_F(SourceChangeTest, StreamCanBeProducedTwiceAndInSmallSteps)
{
    TrackPtr track(CreateIsoImageTrack(tree->root(), "TWICE", kBridge));
    ASSERT_EQ(writeImage(track.get(), image, 7), "");
    const auto first = readFile(image);
    ASSERT_EQ(writeImage(track.get(), image, 1), "");
    EXPECT_EQ(readFile(image), first);
    UdfImage udf(image);
    EXPECT_EQ(*udf.read("/first.txt"), readFile(folder + "/first.txt"));
}

std::vector<uint8_t> sampleImage(const char *epoch, const std::string &name)
{
    EpochGuard guard(epoch);
    auto tree = IsoItemTree::fromDvdFolder(samplePath("dvd-with-menus"));
    TrackPtr track(CreateIsoImageTrack(tree->root(), "SAME", kBridge | ISO_TRACK_JOLIET | ISO_TRACK_REALLOC));
    const std::string image = tempDir("epoch") + "/" + name;
    EXPECT_EQ(writeImage(track.get(), image), "");
    return readFile(image);
}

TEST(ReproducibleImageTest, FixedEpochGivesByteIdenticalImages)
{
    const auto first = sampleImage("1700000000", "a.iso");
    const auto second = sampleImage("1700000000", "b.iso");
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == second);
    const auto later = sampleImage("1800000000", "c.iso");
    EXPECT_EQ(later.size(), first.size());
    EXPECT_FALSE(later == first) << "the time is recorded in the file systems";
    // The primary volume descriptor's creation date: 2023-11-14 22:13:20 UTC.
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&first[16 * SECTOR_SIZE + 813]), 14),
              "20231114221320");
}

TEST(ReproducibleImageTest, InvalidEpochFallsBackToTheCurrentTime)
{
    const auto image = sampleImage("yesterday", "d.iso");
    ASSERT_GT(image.size(), 17u * SECTOR_SIZE);
    const std::string year(reinterpret_cast<const char *>(&image[16 * SECTOR_SIZE + 813]), 4);
    EXPECT_GE(std::stoi(year), 2024);
}

} // namespace
