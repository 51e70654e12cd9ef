// The image written straight into a file descriptor, and sources that are
// gone or change under the stream.

#include "BuiltImage.h"
#include "InChild.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace imagetest;
using namespace imagecheck;

namespace {

// Writes the image straight into a new file in steps of at most step
// sectors; "" or the stream's error.
std::string directToFile(IsoTrack *track, const std::string &path, uint32_t step)
{
    image::ImageTrack &builder = *imageTrackOf(track);
    if (builder.openStream() != 0)
        return builder.lastError();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int32_t n;
    while ((n = builder.writeBlocks(fd, step)) > 0) {
    }
    ::close(fd);
    builder.closeStream();
    return n < 0 ? builder.lastError() : "";
}

// A folder whose files are streamed as one run, in the folder's order:
// empty files, a subfolder with files of its own in between, and d.bin's
// source named otherwise and lying elsewhere.
struct RunEntry
{
    const char *discPath;
    const char *source; // relative to the fixture's folder
    size_t bytes;
};

const RunEntry kRun[] = {
    {"/A/a.bin", "A/a.bin", 5000},          {"/A/empty.bin", "A/empty.bin", 0},
    {"/A/b.bin", "A/b.bin", 2048},          {"/A/c.bin", "A/c.bin", 1},
    {"/A/sub/s1.bin", "A/sub/s1.bin", 100}, {"/A/sub/s2.bin", "A/sub/s2.bin", 4097},
    {"/A/after.bin", "A/after.bin", 3000},  {"/A/d.bin", "elsewhere/x.dat", 6000},
    {"/A/empty2.bin", "A/empty2.bin", 0},   {"/A/last.bin", "A/last.bin", 7},
};

std::string runBytes(const RunEntry &e)
{
    std::string bytes(e.bytes, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char('a' + (i + std::string(e.discPath).size()) % 26);
    return bytes;
}

std::unique_ptr<IsoItemTree> runTree(const std::string &folder)
{
    auto tree = std::make_unique<IsoItemTree>();
    IsoItem *a = tree->addFolder(nullptr, "A");
    IsoItem *sub = nullptr;
    for (const RunEntry &e : kRun) {
        const std::string source = writeFile(folder + "/" + e.source, runBytes(e));
        const std::string path = e.discPath;
        const std::string name = path.substr(path.rfind('/') + 1);
        if (path.starts_with("/A/sub/"))
            tree->addFile(sub ? sub : (sub = tree->addFolder(a, "sub")), name, source);
        else
            tree->addFile(a, name, source);
    }
    return tree;
}

TEST(DirectWrite, MatchesTheSlotImageInEveryTargetAndStep)
{
    const std::string runFolder = tempDir("runs");
    const struct
    {
        const char *name;
        std::unique_ptr<IsoItemTree> tree;
        uint32_t flags;
    } trees[] = {
        // Reallocated IFO copies come from memory, gaps are zeros.
        {"reallocated DVD-Video", IsoItemTree::fromDvdFolder(samplePath("dvd-with-menus")),
         kAll | ISO_TRACK_REALLOC},
        // Placed where the IFO files say, with zero sectors in between.
        {"placed DVD-Video", IsoItemTree::fromDvdFolder(samplePath("dvd-menuless")), kBridge},
        {"a folder's run of files", runTree(runFolder), kBridge},
    };
    for (const auto &t : trees) {
        SCOPED_TRACE(t.name);
        TrackPtr track(CreateIsoImageTrack(t.tree->root(), "DIRECT", t.flags));
        ASSERT_TRUE(track);
        const std::string path = tempDir("slots") + "/slots.iso";
        ASSERT_EQ(writeImage(track.get(), path), "");
        const std::vector<uint8_t> expected = readFile(path);
        for (uint32_t step : {1u, 3u}) {
            ASSERT_EQ(writeImage(track.get(), path, step), "");
            EXPECT_TRUE(readFile(path) == expected) << "slots, step " << step;
        }
        for (uint32_t step : {1u, 7u, 512u, 1u << 20}) {
            ASSERT_EQ(directToFile(track.get(), path, step), "");
            EXPECT_TRUE(readFile(path) == expected) << "file, step " << step;
        }
    }
}

TEST(DirectWrite, EveryFileOfARunComesOutWholeAndAChangedOneIsNamed)
{
    const std::string folder = tempDir("runs");
    const auto tree = runTree(folder);
    const Built b = build(*tree, "RUNS", kBridge);
    ASSERT_EQ(b.error, "");
    UdfImage udf(b.image);
    for (const RunEntry &e : kRun)
        EXPECT_TRUE(udf.read(e.discPath) == readFile(folder + "/" + e.source)) << e.discPath;
    const std::string changed = "A source file changed while it was being burned: ";
    const struct
    {
        const char *name;
        std::function<void(const std::string &, const std::string &)> apply;
        std::string named; // how the error starts; the source's path follows
    } changes[] = {
        {"grew", [](const std::string &p, const std::string &was) { writeFile(p, was + "more"); }, changed},
        {"shrank", [](const std::string &p, const std::string &was) { writeFile(p, was.substr(1)); },
         changed},
        {"rewritten in place, same size, dated back",
         [](const std::string &p, const std::string &was) {
             struct stat before
             {
             };
             ::stat(p.c_str(), &before);
             const int fd = ::open(p.c_str(), O_WRONLY | O_CLOEXEC);
             const std::string other(was.size(), '#');
             EXPECT_EQ(::pwrite(fd, other.data(), other.size(), 0), ssize_t(other.size()));
             const timespec times[2] = {before.st_atim, before.st_mtim};
             ::futimens(fd, times);
             ::close(fd);
         },
         changed},
        {"removed", [](const std::string &p, const std::string &) { std::filesystem::remove(p); },
         "Required file"},
    };
    size_t round = 0;
    for (const RunEntry &e : kRun) {
        if (e.bytes == 0)
            continue;
        const auto &change = changes[round % 4];
        const bool direct = round++ >= 4;
        SCOPED_TRACE(std::string(e.discPath) + " " + change.name +
                     (direct ? ", straight into a file" : ", slots"));
        TrackPtr track(CreateIsoImageTrack(tree->root(), "CHANGED", kBridge));
        ASSERT_EQ(track->vtbl->layoutError(track.get()), nullptr);
        const std::string source = folder + "/" + e.source;
        change.apply(source, runBytes(e));
        const std::string error =
            direct ? directToFile(track.get(), b.image, 512) : writeImage(track.get(), b.image, 5);
        EXPECT_EQ(error.rfind(change.named, 0), 0u) << error;
        EXPECT_NE(error.find(source), std::string::npos) << error;
        writeFile(source, runBytes(e));
    }
}

TEST(SourceOpenTest, EverySourceIsOpenedWithoutWaitingAndOnlyARegularFileIsTaken)
{
    const std::string folder = tempDir("kinds");
    ::chmod(folder.c_str(), 0755);
    const std::string gone = folder + "/gone.vob";
    const struct
    {
        const char *kind;
        std::function<void(const std::string &)> make;
        std::string reason; // "" for a file the track takes
        bool asNobody = false;
    } rows[] = {
        {"regular file", [](const std::string &p) { writeFile(p, "data"); }, ""},
        {"link to a regular file",
         [&](const std::string &p) { std::filesystem::create_symlink(writeFile(folder + "/t.bin", "x"), p); },
         ""},
        {"missing", [](const std::string &) {}, "cannot be read: No such file or directory"},
        {"dangling link", [&](const std::string &p) { std::filesystem::create_symlink(gone, p); },
         "cannot be read: No such file or directory"},
        {"link loop", [](const std::string &p) { std::filesystem::create_symlink(p, p); },
         "cannot be read: Too many levels of symbolic links"},
        {"FIFO", [](const std::string &p) { ::mkfifo(p.c_str(), 0644); },
         "is a FIFO (named pipe), not a regular file"},
        {"link to /dev/zero", [](const std::string &p) { std::filesystem::create_symlink("/dev/zero", p); },
         "is a device, not a regular file"},
        {"folder", [](const std::string &p) { std::filesystem::create_directory(p); },
         "is a folder, not a regular file"},
        {"mode 000",
         [](const std::string &p) {
             writeFile(p, "secret");
             ::chmod(p.c_str(), 0);
         },
         "cannot be read: Permission denied", true},
    };
    int round = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.kind);
        const std::string source = folder + "/source" + std::to_string(round++) + ".vob";
        row.make(source);
        IsoItemTree tree;
        tree.addFile(nullptr, "SOURCE.VOB", source);
        const std::string error = testenv::inChild(
            [&] {
                TrackPtr track(CreateIsoImageTrack(tree.root(), "KINDS", kBridge));
                const char *text = track->vtbl->layoutError(track.get());
                return std::string(text ? text : "");
            },
            row.asNobody ? testenv::RunAs::Nobody : testenv::RunAs::Self);
        EXPECT_EQ(error, row.reason.empty() ? "" : "Required file \"" + source + "\" " + row.reason);
    }
}

TEST(SourceChangeTest, MissingSourceIsNamedWhenTheTrackIsCreated)
{
    const std::string folder = tempDir("gone");
    const auto tree = runTree(folder);
    tree->addFile(nullptr, "gone.vob", folder + "/gone.vob");
    TrackPtr track(CreateIsoImageTrack(tree->root(), "GONE", kBridge));
    ASSERT_TRUE(track);
    const char *error = track->vtbl->layoutError(track.get());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(std::string(error).rfind("Required file", 0), 0u) << error;
    EXPECT_NE(std::string(error).find(folder + "/gone.vob"), std::string::npos);
    EXPECT_EQ(track->vtbl->openStream(track.get()), -1);
    EXPECT_STREQ(track->vtbl->lastError(track.get()), error);
}

// Opening the sources of a large folder asks the program, now and then,
// whether to go on: a stop leaves an incomplete track that says so.
TEST(SourceChangeTest, StopAskedWhileTheSourcesAreOpenedLeavesAStoppedTrack)
{
    const std::string folder = tempDir("many");
    IsoItemTree tree;
    for (int i = 0; i < 3 * image::ImageTree::kStopCheckFiles; ++i) {
        const std::string name = "f" + std::to_string(i);
        std::ofstream(folder + "/" + name) << name;
        tree.addFile(nullptr, name, folder + "/" + name);
    }
    for (const int stopAt : {0, 2}) {
        int asked = 0;
        TrackPtr track(CreateIsoImageTrack(tree.root(), "MANY", kBridge, [&] { return ++asked > stopAt; }));
        ASSERT_TRUE(track);
        EXPECT_TRUE(imageTrackOf(track.get())->stopped()) << "stop at ask " << stopAt + 1;
        EXPECT_EQ(asked, stopAt + 1) << "asked no more after the stop";
    }
    int asked = 0;
    TrackPtr whole(CreateIsoImageTrack(tree.root(), "MANY", kBridge, [&] { return ++asked > 99; }));
    EXPECT_FALSE(imageTrackOf(whole.get())->stopped());
    EXPECT_EQ(asked, 3) << "once per " << image::ImageTree::kStopCheckFiles << " files";
}

TEST(SourceChangeTest, SourceThatGrowsWhileItIsReadFailsTheStream)
{
    // Block by block until the first block of a.bin, then the file grows:
    // the data already taken no longer matches the file.
    const std::string folder = tempDir("growing");
    TrackPtr track(CreateIsoImageTrack(runTree(folder)->root(), "GROWING", kBridge));
    const IsoTrackVtbl &t = *track->vtbl;
    ASSERT_EQ(t.openStream(track.get()), 0);
    std::vector<uint8_t> block(SECTOR_SIZE);
    const std::string head = runBytes(kRun[0]).substr(0, SECTOR_SIZE);
    const std::vector<uint8_t> first(head.begin(), head.end());
    int32_t got = 0;
    while ((got = t.readBlocks(track.get(), block.data(), 1)) == 1 && block != first) {
    }
    ASSERT_EQ(got, 1) << "a.bin's data was not found";
    writeFile(folder + "/A/a.bin", runBytes(kRun[0]) + "more");
    while ((got = t.readBlocks(track.get(), block.data(), 1)) > 0) {
    }
    ASSERT_EQ(got, -1);
    EXPECT_NE(std::string(t.lastError(track.get()))
                  .find("changed while it was being burned: " + folder + "/A/a.bin"),
              std::string::npos)
        << t.lastError(track.get());
    t.closeStream(track.get());
}

} // namespace
