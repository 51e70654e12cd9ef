// One job per recorder, across handles and processes.
#include "ChildProcess.h"
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/wait.h>

namespace {

const std::string InUse = "The recorder \"dvd\" is in use by another program";

// The medium lives outside the library's folder, so a child process with a
// library copy of its own uses the same recorder.
struct SharedMedium
{
    std::string folder = imagetest::tempDir("shared-medium");
    std::string path = folder + "/dvd.iso";

    std::string config(const std::string &extra = "") const
    {
        return "[dvd]\nmedium = DVD+RW blank\nfile = " + path + "\nspeeds = 1x 8x\n" + extra;
    }
};

// The first recorder of the list, the one named dvd in these tests.
struct FirstRecorder
{
    LoadedReclib &lib;
    DeviceInfoList *list = lib.api.NeroGetAvailableDrivesEx(0, nullptr);
    ~FirstRecorder() { lib.api.NeroFreeMem(list); }
    RecDeviceHandle open() const { return lib.api.NeroOpenDevice(&list->devices[0]); }
};

} // namespace

TEST(ReclibRecorderLock, ASecondHandleIsRefusedUntilTheFirstIsClosed)
{
    LoadedReclib lib("[dvd]\nmedium = DVD+RW blank\nfile = media/dvd.iso\n[cd]\nmedium = CD-RW blank\nfile = "
                     "media/cd.iso\n");
    RecDeviceHandle first = lib.open("dvd");
    ASSERT_NE(first, nullptr);
    // A temporary file of the holder's job: a refused open must not touch it.
    const std::string working = lib.folder + "/media/dvd.iso.Zz9Yy8.part";
    writeFile(working, "being written");
    // Not the library's: only its own temporary names are cleared.
    const std::string notes = lib.folder + "/media/dvd.iso.notes.part";
    const std::string foreign = lib.folder + "/media/other.iso.Ab12Cd.part";
    writeFile(notes, "keep");
    writeFile(foreign, "keep");
    const FirstRecorder dvd{lib};
    EXPECT_EQ(dvd.open(), nullptr);
    EXPECT_TRUE(lib.errorLogged(InUse)) << lib.errorLog();
    EXPECT_TRUE(exists(working));
    RecDeviceHandle other = lib.open("cd"); // other recorders are not affected
    EXPECT_NE(other, nullptr);
    // The refused open changed nothing for the handle that holds the recorder.
    EXPECT_EQ(lib.burn(first, patternTrack(16), OverwriteFlags), BURN_OK) << lib.callbacks.allLogs();

    lib.api.NeroCloseDevice(first);
    RecDeviceHandle again = dvd.open();
    EXPECT_NE(again, nullptr) << lib.errorLog();
    EXPECT_FALSE(exists(working));
    EXPECT_TRUE(exists(notes) && exists(foreign));
    lib.api.NeroCloseDevice(again);
    lib.api.NeroCloseDevice(other);
    EXPECT_TRUE(filesEndingWith(lib.folder, ".lock").empty());
}

TEST(ReclibRecorderLock, AnotherProcessHoldingTheRecorderKeepsItFromThisOne)
{
    const SharedMedium medium;
    Baton opened;
    Baton release;
    ChildProcess other([&] {
        LoadedReclib lib(medium.config());
        if (lib.open("dvd") == nullptr)
            return;
        opened.pass();
        release.await();
    });
    ASSERT_TRUE(opened.await());
    LoadedReclib lib(medium.config());
    const FirstRecorder dvd{lib};
    EXPECT_EQ(dvd.open(), nullptr);
    EXPECT_TRUE(lib.errorLogged(InUse)) << lib.errorLog();
    release.pass();
    const int status = other.wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_NE(dvd.open(), nullptr) << lib.errorLog();
}

TEST(ReclibRecorderLock, TheImageRecorderRefusesATargetAnotherBurnIsWriting)
{
    // Two copies of the library stand for two programs; the second one burns
    // to the same file while the first one's burn is writing it.
    LoadedReclib first("");
    LoadedReclib second("");
    const std::string target = first.folder + "/out/film.iso";
    writeFile(target, "an earlier image");
    const auto answer = [&](int, void *data) {
        std::strcpy(static_cast<char *>(data), target.c_str());
        return 1;
    };
    first.callbacks.answerDialog = answer;
    second.callbacks.answerDialog = answer;
    RecDeviceHandle firstDevice = first.open("Image Recorder");
    RecDeviceHandle secondDevice = second.open("Image Recorder");
    int secondResult = -1;
    first.callbacks.wantAbort = [&] {
        if (secondResult == -1)
            secondResult = second.burn(secondDevice, patternTrack(16), ProgramBurnFlags);
        return false;
    };
    EXPECT_EQ(first.burn(firstDevice, patternTrack(64), ProgramBurnFlags), BURN_OK);
    EXPECT_EQ(secondResult, BURN_FAILED);
    EXPECT_TRUE(second.callbacks.logged("The image file " + target + " is in use by another program"))
        << second.callbacks.allLogs();
    EXPECT_EQ(readFile(target), patternImage(64));
    EXPECT_EQ(second.burn(secondDevice, patternTrack(16), ProgramBurnFlags), BURN_OK)
        << second.callbacks.allLogs();
    EXPECT_EQ(readFile(target), patternImage(16));
    EXPECT_TRUE(filesEndingWith(first.folder + "/out", ".lock").empty());
}
