// The image written straight into a file descriptor (the kernel copying the
// file data where it can) is byte for byte the image the track slots
// produce, whatever the target and the step size, and its failures name
// their cause.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <future>
#include <unistd.h>

using namespace imagetest;

namespace {

std::vector<uint8_t> slotImage(IsoTrack *track)
{
    const std::string path = tempDir("slots") + "/slots.iso";
    EXPECT_EQ(writeImage(track, path), "");
    return readFile(path);
}

// Writes the whole image to fd in steps of at most step sectors; "" or the
// stream's error.
std::string writeAll(IsoTrack *track, int fd, uint32_t step)
{
    image::ImageTrack *builder = imageTrackOf(track);
    if (builder == nullptr)
        return "not an image track";
    if (builder->openStream() != 0)
        return builder->lastError();
    int32_t n;
    while ((n = builder->writeBlocks(fd, step)) > 0) {
    }
    builder->closeStream();
    return n < 0 ? builder->lastError() : "";
}

std::vector<uint8_t> throughFile(IsoTrack *track, uint32_t step)
{
    const std::string path = tempDir("direct") + "/direct.iso";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(writeAll(track, fd, step), "");
    ::close(fd);
    return readFile(path);
}

// A pipe: the kernel cannot copy file to pipe with copy_file_range, so
// this takes the path through memory.
std::vector<uint8_t> throughPipe(IsoTrack *track, uint32_t step)
{
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    auto drained = std::async(std::launch::async, [reader = ends[0]] {
        std::vector<uint8_t> bytes;
        uint8_t piece[65536];
        ssize_t n;
        while ((n = ::read(reader, piece, sizeof piece)) > 0)
            bytes.insert(bytes.end(), piece, piece + n);
        ::close(reader);
        return bytes;
    });
    EXPECT_EQ(writeAll(track, ends[1], step), "");
    ::close(ends[1]);
    return drained.get();
}

struct Source
{
    const char *name;
    std::unique_ptr<IsoItemTree> (*tree)();
    uint32_t flags;
};

class DirectWrite : public testing::TestWithParam<Source>
{
};

TEST_P(DirectWrite, MatchesTheSlotImageInEveryTargetAndStep)
{
    const auto tree = GetParam().tree();
    TrackPtr track(CreateIsoImageTrack(tree->root(), "DIRECT", GetParam().flags));
    ASSERT_TRUE(track);
    const std::vector<uint8_t> expected = slotImage(track.get());
    ASSERT_GT(expected.size(), 0u);
    for (uint32_t step : {1u, 7u, 512u, 1u << 20}) {
        EXPECT_TRUE(throughFile(track.get(), step) == expected) << "file, step " << step;
        EXPECT_TRUE(throughPipe(track.get(), step) == expected) << "pipe, step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Trees, DirectWrite,
    testing::Values(
        // Reallocated IFO copies come from memory, gaps are zeros.
        Source{"DvdWithMenusReallocated",
               [] { return IsoItemTree::fromDvdFolder(samplePath("dvd-with-menus")); },
               kBridge | ISO_TRACK_JOLIET | ISO_TRACK_REALLOC},
        // Placed where the IFO files say, with zero sectors in between.
        Source{"DvdMenulessPlaced", [] { return IsoItemTree::fromDvdFolder(samplePath("dvd-menuless")); },
               kBridge}),
    [](const testing::TestParamInfo<Source> &testInfo) { return std::string(testInfo.param.name); });

TEST_P(DirectWrite, TheLargestFileStartsOnA4KiBBoundaryOfTheImageFile)
{
    const auto tree = GetParam().tree();
    TrackPtr track(CreateIsoImageTrack(tree->root(), "ALIGNED", GetParam().flags));
    const std::string path = tempDir("aligned") + "/aligned.iso";
    ASSERT_EQ(writeImage(track.get(), path), "");
    const std::vector<ListedEntry> files = isoinfoListing(path, false);
    const ListedEntry *largest = nullptr;
    for (const ListedEntry &entry : files)
        if (!entry.isFolder && (largest == nullptr || entry.size > largest->size))
            largest = &entry;
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->extent % 2, 0u) << largest->name << " at sector " << largest->extent;
}

// Where a call's budget ends inside a file, the piece read from it ends on
// an aligned offset of the file (128 KiB into a buffer, 1 MiB into a file),
// so that the next piece starts on one; the bytes stay those of a one-sector
// stream.
class SourceAlignedPieces : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = tempDir("pieces");
        std::string bytes(3 * 1024 * 1024 + 5000, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 / 2048);
        std::ofstream(folder + "/big.bin", std::ios::binary) << bytes;
        std::ofstream(folder + "/small.txt", std::ios::binary) << std::string(3000, 's');
        tree = IsoItemTree::fromFolder(folder);
        track.reset(CreateIsoImageTrack(tree->root(), "PIECES", kBridge));
        ASSERT_TRUE(track);
        const std::string listed = tempDir("pieces-listing") + "/listed.iso";
        ASSERT_EQ(writeImage(track.get(), listed), "");
        for (const ListedEntry &entry : isoinfoListing(listed, false))
            if (entry.name == "BIG.BIN;1") {
                firstSector = entry.extent;
                endSector = entry.extent + uint32_t((entry.size + SECTOR_SIZE - 1) / SECTOR_SIZE);
            }
        ASSERT_GT(endSector, firstSector);
        expected = readFile(listed);
    }
    // Sectors into the file where a call ended inside it.
    std::vector<uint32_t> cutsInsideTheFile(const std::vector<uint32_t> &ends) const
    {
        std::vector<uint32_t> cuts;
        for (uint32_t end : ends)
            if (end > firstSector && end < endSector)
                cuts.push_back(end - firstSector);
        return cuts;
    }
    std::string folder;
    std::unique_ptr<IsoItemTree> tree;
    TrackPtr track;
    uint32_t firstSector = 0;
    uint32_t endSector = 0;
    std::vector<uint8_t> expected;
};

TEST_F(SourceAlignedPieces, SlotReadsEndOn128KiBOfTheFile)
{
    for (uint32_t budget : {64u, 100u, 300u}) {
        ASSERT_EQ(track->vtbl->openStream(track.get()), 0);
        std::vector<uint8_t> image, buffer(size_t(budget) * SECTOR_SIZE);
        std::vector<uint32_t> ends;
        int32_t n;
        while ((n = track->vtbl->readBlocks(track.get(), buffer.data(), budget)) > 0) {
            image.insert(image.end(), buffer.begin(), buffer.begin() + ptrdiff_t(n) * SECTOR_SIZE);
            ends.push_back(uint32_t(image.size() / SECTOR_SIZE));
        }
        track->vtbl->closeStream(track.get());
        ASSERT_EQ(n, 0) << "budget " << budget;
        EXPECT_TRUE(image == expected) << "budget " << budget;
        const std::vector<uint32_t> cuts = cutsInsideTheFile(ends);
        EXPECT_FALSE(cuts.empty()) << "budget " << budget;
        for (uint32_t cut : cuts)
            EXPECT_EQ(cut % 64, 0u) << "budget " << budget << ", cut " << cut << " sectors into the file";
    }
}

TEST_F(SourceAlignedPieces, DirectWritesEndOn1MiBOfTheFile)
{
    image::ImageTrack *builder = imageTrackOf(track.get());
    ASSERT_NE(builder, nullptr);
    const std::string path = tempDir("pieces-direct") + "/direct.iso";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(builder->openStream(), 0);
    std::vector<uint32_t> ends;
    uint32_t position = 0;
    int32_t n;
    while ((n = builder->writeBlocks(fd, 700)) > 0)
        ends.push_back(position += uint32_t(n));
    builder->closeStream();
    ::close(fd);
    ASSERT_EQ(n, 0);
    EXPECT_TRUE(readFile(path) == expected);
    const std::vector<uint32_t> cuts = cutsInsideTheFile(ends);
    EXPECT_FALSE(cuts.empty());
    for (uint32_t cut : cuts)
        EXPECT_EQ(cut % 512, 0u) << "cut " << cut << " sectors into the file";
}

TEST(DirectWriteFailure, ASourceThatShrankIsNamed)
{
    const std::string folder = tempDir("shrink");
    std::ofstream(folder + "/data.bin", std::ios::binary) << std::string(100000, 'x');
    auto tree = IsoItemTree::fromFolder(folder);
    TrackPtr track(CreateIsoImageTrack(tree->root(), "SHRINK", kBridge));
    std::ofstream(folder + "/data.bin", std::ios::binary | std::ios::trunc) << "x";
    const int fd = ::open((folder + "/../out.iso").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const std::string error = writeAll(track.get(), fd, 512);
    ::close(fd);
    EXPECT_NE(error.find("changed while it was being burned: " + folder + "/data.bin"), std::string::npos)
        << error;
}

TEST(DirectWriteFailure, ATargetThatCannotBeWrittenIsReported)
{
    const std::string folder = tempDir("readonly");
    std::ofstream(folder + "/data.bin", std::ios::binary) << std::string(100000, 'x');
    std::ofstream(folder + "/../target.iso", std::ios::binary) << "";
    auto tree = IsoItemTree::fromFolder(folder);
    TrackPtr track(CreateIsoImageTrack(tree->root(), "READONLY", kBridge));
    const int fd = ::open((folder + "/../target.iso").c_str(), O_RDONLY | O_CLOEXEC);
    const std::string error = writeAll(track.get(), fd, 512);
    ::close(fd);
    EXPECT_EQ(error.rfind("The image cannot be written: ", 0), 0u) << error;
}

TEST(DirectWriteFailure, OnlyImageTracksHaveABuilder)
{
    IsoTrackVtbl table{};
    IsoTrack foreign{&table};
    EXPECT_EQ(imageTrackOf(&foreign), nullptr);
    EXPECT_EQ(imageTrackOf(nullptr), nullptr);
}

} // namespace
