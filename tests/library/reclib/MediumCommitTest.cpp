// A virtual disc's image and its state change together or not at all: a
// process that ends at any step of a burn's or an erase's commit, or that
// cannot write the new state, leaves either the old pair or the new one
// once the recorder is opened again.
#include "ChildProcess.h"
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include "support/FileSizeLimit.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
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
    std::string folder = testenv::makeTempDir("medium").toStdString();
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

    int run(LoadedReclib &lib, Job job) const
    {
        RecDeviceHandle device = lib.open("dvd");
        PatternTrackOptions options;
        options.sectors = NewSectors;
        const int result = job == Job::Burn ? lib.burn(device, createPatternTrack(options), OverwriteFlags)
                                            : lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK);
        lib.api.NeroCloseDevice(device);
        return result;
    }

    // Opens the recorder as the next program would and checks the pair.
    void expectPair(bool newOne, Job job) const
    {
        LoadedReclib lib(config());
        RecDeviceHandle device = lib.open("dvd");
        const DiscInfo info = lib.discInfo(device);
        if (!newOne) {
            EXPECT_EQ(readFile(path), std::vector<unsigned char>(OldImage.begin(), OldImage.end()));
            const std::vector<unsigned char> state = readFile(path + ".state");
            EXPECT_EQ(std::string(state.begin(), state.end()), OldState);
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
        lib.api.NeroCloseDevice(device);
    }
};

} // namespace

TEST(ReclibMediumCommit, AProcessEndedAtAnyStepOfTheCommitLeavesTheOldPairOrTheNew)
{
    // Steps: 1 new state, 2 journal (the commit), 3 image renamed, 4 state
    // renamed, 5 journal removed.
    const struct
    {
        Job job;
        int step;
        bool newPair;
    } cases[] = {
        {Job::Burn, 1, false}, {Job::Burn, 2, false},  {Job::Burn, 3, true},   {Job::Burn, 4, true},
        {Job::Burn, 5, true},  {Job::Erase, 1, false}, {Job::Erase, 2, false}, {Job::Erase, 3, true},
        {Job::Erase, 4, true}, {Job::Erase, 5, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.job == Job::Burn ? "burn, step " : "erase, step ") + std::to_string(c.step));
        const WrittenMedium medium;
        ChildProcess child([&] {
            LoadedReclib lib(medium.config("fault = kill-at-commit-step " + std::to_string(c.step) + "\n"));
            medium.run(lib, c.job);
        });
        const int status = child.wait();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the job was not killed: " << status;
        medium.expectPair(c.newPair, c.job);
    }
}

TEST(ReclibMediumCommit, AStateThatCannotBeWrittenLeavesTheOldPair)
{
    for (const Job job : {Job::Burn, Job::Erase}) {
        SCOPED_TRACE(job == Job::Burn ? "burn" : "erase");
        const WrittenMedium medium;
        LoadedReclib lib(medium.config("fault = state-write-fails\n"));
        EXPECT_EQ(medium.run(lib, job), job == Job::Burn ? BURN_FAILED : ERASE_FAILED);
        EXPECT_NE(lib.errorLog().find("cannot write " + medium.path + ".state.new"), std::string::npos)
            << lib.errorLog();
        medium.expectPair(false, job);
    }
}

TEST(ReclibMediumCommit, AnEraseWhoseStateTheFileSystemRefusesLeavesTheOldPair)
{
    // No image bytes to write, so the state file is the first write refused.
    const WrittenMedium medium;
    LoadedReclib lib(medium.config());
    RecDeviceHandle device = lib.open("dvd");
    int result = 0;
    {
        const testenv::FileSizeLimit limit(16);
        result = lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK);
    }
    EXPECT_EQ(result, ERASE_FAILED);
    EXPECT_NE(lib.errorLog().find(".state"), std::string::npos) << lib.errorLog();
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

TEST(ReclibMediumCommit, AnAbortedBurnLeavesTheWrittenDiscAsItWas)
{
    const WrittenMedium medium;
    LoadedReclib lib(medium.config("pacing = paced\n"));
    RecDeviceHandle device = lib.open("dvd");
    int polls = 0;
    lib.callbacks.wantAbort = [&] { return ++polls > 8; };
    PatternTrackOptions slow;
    slow.sectors = 30 * 1024; // about 45 s at 1x
    EXPECT_EQ(lib.burn(device, createPatternTrack(slow), OverwriteFlags, 1385), BURN_USER_ABORT);
    lib.api.NeroCloseDevice(device);
    medium.expectPair(false, Job::Burn);
}
