// A folder's files are streamed side by side from one range of the image:
// every file must come out whole and in its place, whatever lies between
// them in the folder (empty files, subfolders with files of their own) and
// whatever the source is called, and a file changed after the layout must
// be the one named.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace imagetest;
using namespace imagecheck;

namespace {

struct Entry
{
    const char *discPath; // where the file appears
    const char *source;   // relative to the fixture's folder
    size_t bytes;
};

// In the folder's order. d.bin's source is named otherwise and lies
// elsewhere; sub/ brings its own files between c.bin and after.bin.
const Entry kEntries[] = {
    {"/A/a.bin", "A/a.bin", 5000},          {"/A/empty.bin", "A/empty.bin", 0},
    {"/A/b.bin", "A/b.bin", 2048},          {"/A/c.bin", "A/c.bin", 1},
    {"/A/sub/s1.bin", "A/sub/s1.bin", 100}, {"/A/sub/s2.bin", "A/sub/s2.bin", 4097},
    {"/A/after.bin", "A/after.bin", 3000},  {"/A/d.bin", "elsewhere/x.dat", 6000},
    {"/A/empty2.bin", "A/empty2.bin", 0},   {"/A/last.bin", "A/last.bin", 7},
};

class FileRunTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = tempDir("runs");
        IsoItem *a = tree.addFolder(nullptr, "A");
        IsoItem *sub = nullptr;
        for (const Entry &e : kEntries) {
            const std::string source = folder + "/" + e.source;
            std::filesystem::create_directories(std::filesystem::path(source).parent_path());
            std::string bytes(e.bytes, '\0');
            for (size_t i = 0; i < bytes.size(); ++i)
                bytes[i] = char('a' + (i + std::string(e.discPath).size()) % 26);
            std::ofstream(source, std::ios::binary) << bytes;
            const std::string path = e.discPath;
            const std::string name = path.substr(path.rfind('/') + 1);
            if (path.rfind("/A/sub/", 0) == 0)
                tree.addFile(sub ? sub : (sub = tree.addFolder(a, "sub")), name, source);
            else
                tree.addFile(a, name, source);
        }
        image = folder + "/out.iso";
    }

    std::string folder;
    std::string image;
    IsoItemTree tree;
};

std::string writeThroughFile(IsoTrack *track, const std::string &path, uint32_t step)
{
    image::ImageTrack *builder = imageTrackOf(track);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (builder == nullptr || fd < 0 || builder->openStream() != 0)
        return "cannot start";
    int32_t n;
    while ((n = builder->writeBlocks(fd, step)) > 0) {
    }
    builder->closeStream();
    ::close(fd);
    return n < 0 ? builder->lastError() : "";
}

TEST_F(FileRunTest, EveryFileComesOutWholeInSmallAndLargeSteps)
{
    struct Way
    {
        bool intoFile;
        uint32_t step;
    };
    for (const Way way : {Way{false, 1}, Way{false, 3}, Way{false, 256}, Way{true, 1}, Way{true, 4096}}) {
        SCOPED_TRACE((way.intoFile ? "into a file, step " : "into a buffer, step ") +
                     std::to_string(way.step));
        TrackPtr track(CreateIsoImageTrack(tree.root(), "RUNS", kBridge));
        ASSERT_EQ(way.intoFile ? writeThroughFile(track.get(), image, way.step)
                               : writeImage(track.get(), image, way.step),
                  "");
        UdfImage udf(image);
        for (const Entry &e : kEntries) {
            const auto data = udf.read(e.discPath);
            ASSERT_TRUE(data) << e.discPath;
            EXPECT_TRUE(*data == readFile(folder + "/" + e.source)) << e.discPath;
        }
    }
}

TEST_F(FileRunTest, AFileChangedAfterTheLayoutIsTheOneNamed)
{
    for (const Entry &e : kEntries) {
        if (e.bytes == 0)
            continue;
        SCOPED_TRACE(e.discPath);
        TrackPtr track(CreateIsoImageTrack(tree.root(), "CHANGED", kBridge));
        const std::string source = folder + "/" + e.source;
        const auto original = readFile(source);
        std::ofstream(source, std::ios::binary | std::ios::app) << "more";
        const std::string error = writeImage(track.get(), image, 5);
        EXPECT_EQ(error, "A source file changed while it was being burned: " + source);
        std::ofstream(source, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char *>(original.data()), std::streamsize(original.size()));
    }
}

} // namespace
