// What the stream does when the sources change under it: the file is named,
// through the track's slots and straight into a file alike.

#include "BuiltImage.h"
#include "IsoItemTree.h"

#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

using namespace imagetest;

namespace {

class SourceChangeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = tempDir("sources");
        writeFile(folder + "/first.txt", std::string(5000, 'a'));
        writeFile(folder + "/second.txt", std::string(3000, 'b'));
        tree = IsoItemTree::fromFolder(folder);
    }
    std::string folder;
    std::unique_ptr<IsoItemTree> tree;
};

TEST_F(SourceChangeTest, MissingSourceIsNamedWhenTheTrackIsCreated)
{
    tree->addFile(nullptr, "gone.vob", folder + "/gone.vob");
    TrackPtr track(CreateIsoImageTrack(tree->root(), "GONE", kBridge));
    ASSERT_TRUE(track);
    const std::string error =
        track->vtbl->layoutError(track.get()) ? track->vtbl->layoutError(track.get()) : "";
    EXPECT_EQ(error.rfind("Required file", 0), 0u) << error;
    EXPECT_NE(error.find(folder + "/gone.vob"), std::string::npos);
    EXPECT_EQ(track->vtbl->openStream(track.get()), -1);
    EXPECT_EQ(track->vtbl->lastError(track.get()), error);
}

TEST_F(SourceChangeTest, ASourceChangedAfterTheLayoutIsNamed)
{
    const auto later = [](const std::string &path) {
        std::filesystem::last_write_time(path,
                                         std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    };
    const struct
    {
        const char *name;
        const char *file;
        std::function<void(const std::string &)> change;
        bool gone;
    } cases[] = {
        {"removed", "second.txt", [](const std::string &p) { std::filesystem::remove(p); }, true},
        {"grew", "first.txt", [](const std::string &p) { writeFile(p, std::string(7000, 'a')); }, false},
        {"shrank", "second.txt", [](const std::string &p) { writeFile(p, "b"); }, false},
        {"rewritten, same size", "first.txt",
         [&](const std::string &p) { later(writeFile(p, std::string(5000, 'c'))); }, false},
    };
    for (const auto &c : cases) {
        for (const bool direct : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (direct ? ", straight into a file" : ", through the slots"));
            const std::string path = folder + "/" + c.file;
            const auto original = readFile(path);
            TrackPtr track(CreateIsoImageTrack(tree->root(), "CHANGED", kBridge));
            ASSERT_EQ(track->vtbl->layoutError(track.get()), nullptr);
            c.change(path);
            const std::string image = folder + "/../out.iso";
            std::string error;
            if (direct) {
                const int fd = ::open(image.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                error = writeDirect(track.get(), fd, 512);
                ::close(fd);
            } else {
                error = writeImage(track.get(), image);
            }
            if (c.gone) {
                EXPECT_EQ(error.rfind("Required file", 0), 0u) << error;
            }
            EXPECT_NE(error.find(c.gone ? path : "changed while it was being burned: " + path),
                      std::string::npos)
                << error;
            writeFile(path, std::string(original.begin(), original.end()));
        }
    }
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
    writeFile(folder + "/first.txt", std::string(5100, 'a'));
    while ((got = t.readBlocks(track.get(), block.data(), 1)) > 0) {
    }
    ASSERT_EQ(got, -1);
    const std::string error = t.lastError(track.get());
    EXPECT_NE(error.find("changed while it was being burned: " + folder + "/first.txt"), std::string::npos)
        << error;
    t.closeStream(track.get());
}

} // namespace
