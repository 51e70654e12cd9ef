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

constexpr uint32_t kBridge = ISO_TRACK_ISO9660 | ISO_TRACK_UDF;

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

struct Source {
    const char *name;
    std::unique_ptr<IsoItemTree> (*tree)();
    uint32_t flags;
};

class DirectWrite : public testing::TestWithParam<Source> {};

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
        Source{"DvdMenulessPlaced", [] { return IsoItemTree::fromDvdFolder(samplePath("dvd-menuless")); }, kBridge}),
    [](const testing::TestParamInfo<Source> &info) { return std::string(info.param.name); });

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
    EXPECT_NE(error.find("changed size"), std::string::npos) << error;
    EXPECT_NE(error.find(folder + "/data.bin"), std::string::npos) << error;
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
