// A virtual disc's image and its state change together or not at all.
#include "ChildProcess.h"
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace {

const std::string OldImage = "the image of an earlier burn";
const std::string OldState = "configured = DVD+RW\nmedium = DVD+RW\nblank = no\ncontent-count = 1\n"
                             "used-sectors = 7\nbook-type = default\n";
constexpr int64_t NewSectors = 40;

enum class Job { Burn, Erase };

// A written DVD+RW whose medium lies outside the library's folder, so that
// a child process with its own copy of the library uses the same one.
struct WrittenMedium
{
    std::string folder = imagetest::tempDir("medium");
    std::string path = folder + "/dvd.iso";

    WrittenMedium()
    {
        writeFile(path, OldImage);
        writeFile(path + ".state", OldState);
    }

    std::string config(const std::string &extra = "") const
    {
        return "[dvd]\nmedium = DVD+RW written\nfile = " + path +
               "\nspeeds = 1x 4x 8x\nerase-time-scale = 0\n" + extra;
    }

    static int run(LoadedReclib &lib, Job job)
    {
        RecDeviceHandle device = lib.open("dvd");
        const int result = job == Job::Burn ? lib.burn(device, patternTrack(NewSectors), OverwriteFlags)
                                            : lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK);
        lib.api.NeroCloseDevice(device); // the next program opens it
        return result;
    }

    // Opens the recorder as the next program would and checks the pair.
    void expectPair(bool newOne, Job job) const
    {
        LoadedReclib lib(config());
        const DiscInfo info = lib.discInfo(lib.open("dvd"));
        if (!newOne) {
            EXPECT_EQ(readFile(path), bytes(OldImage));
            EXPECT_EQ(readFile(path + ".state"), bytes(OldState));
            EXPECT_EQ(info.usedSectors, 7);
        } else if (job == Job::Burn) {
            EXPECT_EQ(readFile(path), patternImage(NewSectors));
            EXPECT_EQ(info.contentCount, 1);
            EXPECT_EQ(info.usedSectors, NewSectors);
        } else {
            EXPECT_TRUE(readFile(path).empty());
            EXPECT_EQ(info.contentCount, 0);
        }
        for (const char *leftover : {".part", ".commit", ".new"})
            EXPECT_TRUE(filesEndingWith(folder, leftover).empty()) << leftover;
    }
};

} // namespace

TEST(ReclibMediumCommit, AProcessEndedAtAnyStepOfTheCommitLeavesTheOldPairOrTheNew)
{
    // Steps: 1 new state, 2 journal (the commit), 3 image renamed, 4 state
    // renamed, 5 journal removed.
    for (const Job job : {Job::Burn, Job::Erase}) {
        for (int step = 1; step <= 5; ++step) {
            SCOPED_TRACE((job == Job::Burn ? "burn, step " : "erase, step ") + std::to_string(step));
            const WrittenMedium medium;
            ChildProcess child([&] {
                LoadedReclib lib(medium.config("fault = kill-at-commit-step " + std::to_string(step) + "\n"));
                WrittenMedium::run(lib, job);
            });
            const int status = child.wait();
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "not killed: " << status;
            medium.expectPair(step >= 3, job);
        }
    }
}

TEST(ReclibMediumCommit, AStateThatCannotBeWrittenLeavesTheOldPair)
{
    for (const Job job : {Job::Burn, Job::Erase}) {
        SCOPED_TRACE(job == Job::Burn ? "burn" : "erase");
        const WrittenMedium medium;
        LoadedReclib lib(medium.config("fault = state-write-fails\n"));
        EXPECT_EQ(WrittenMedium::run(lib, job), job == Job::Burn ? BURN_FAILED : ERASE_FAILED);
        EXPECT_TRUE(lib.errorLogged("cannot write " + medium.path + ".state.new")) << lib.errorLog();
        medium.expectPair(false, job);
    }
    // The same when the file system refuses it: an erase has no image bytes
    // to write, so the state file is the first write refused.
    const WrittenMedium medium;
    LoadedReclib lib(medium.config());
    RecDeviceHandle device = lib.open("dvd");
    int result = 0;
    {
        const testenv::FileSizeLimit limit(16);
        result = lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK);
    }
    EXPECT_EQ(result, ERASE_FAILED);
    EXPECT_TRUE(lib.errorLogged(".state")) << lib.errorLog();
    lib.api.NeroCloseDevice(device);
    medium.expectPair(false, Job::Erase);
}

TEST(ReclibMediumCommit, AnEraseEndedByATerminationSignalLeavesTheDiscAsItWas)
{
    const WrittenMedium medium;
    Baton started;
    ChildProcess child([&] {
        // A paced quick erase of about four seconds.
        LoadedReclib lib(medium.config("pacing = paced\nerase-time-scale = 0.5\n"));
        RecDeviceHandle device = lib.open("dvd");
        started.pass();
        lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK);
    });
    ASSERT_TRUE(started.await());
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    child.kill(SIGTERM);
    const int status = child.wait();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    medium.expectPair(false, Job::Erase);
}

TEST(ReclibMediumCommit, AMediumWithDataButNoReadableStateCountsAsUsedAndStaysAsItWas)
{
    // The configuration's disc is blank; the medium file says otherwise.
    const struct
    {
        const char *name;
        const char *state; // nullptr: no state file; "/": a folder, "|": a FIFO in its place
    } cases[] = {
        {"out of range",
         "configured = DVD+RW\nmedium = DVD+RW\nblank = no\nused-sectors = 99999999999999999999\n"},
        {"missing", nullptr},
        {"a folder", "/"},
        {"a FIFO", "|"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const WrittenMedium medium;
        std::filesystem::remove(medium.path + ".state");
        const std::string state = c.state != nullptr ? c.state : "";
        const bool notAFile = state == "/" || state == "|";
        if (state == "/")
            std::filesystem::create_directory(medium.path + ".state");
        else if (state == "|")
            ASSERT_EQ(::mkfifo((medium.path + ".state").c_str(), 0600), 0);
        else if (c.state != nullptr)
            writeFile(medium.path + ".state", state);
        LoadedReclib lib(medium.config().replace(medium.config().find(" written"), 8, " blank"));
        RecDeviceHandle device = lib.open("dvd");
        const DiscInfo info = lib.discInfo(device);
        EXPECT_EQ(info.contentCount, 1);
        EXPECT_EQ(info.usedSectors, 1);
        EXPECT_TRUE(lib.errorLogged("counts as used, its contents unknown")) << lib.errorLog();
        // Nobody answers the question: nothing is written.
        EXPECT_EQ(lib.burn(device, patternTrack(NewSectors), ProgramBurnFlags), BURN_USER_ABORT);
        // No file at the state's name: the check before the erase says so,
        // and neither an erase nor a burn replaces the medium.
        IsoTrack *track = patternTrack(NewSectors);
        EXPECT_EQ(lib.api.NeroCheckTrackRoom(device, track, OverwriteFlags),
                  notAFile ? BURN_FAILED : BURN_OK);
        lib.api.NeroFreeIsoTrack(track);
        if (notAFile) {
            EXPECT_TRUE(lib.errorLogged("is not a file")) << lib.errorLog();
            EXPECT_EQ(lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK), ERASE_FAILED);
            EXPECT_EQ(lib.burn(device, patternTrack(NewSectors), OverwriteFlags), BURN_FAILED);
        }
        EXPECT_EQ(readFile(medium.path), bytes(OldImage));
        lib.api.NeroCloseDevice(device);
    }
}
