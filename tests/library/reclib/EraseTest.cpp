// Erase estimates and erasing through the exported functions.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <tuple>

namespace {

std::string rewritable(const std::string &name, const std::string &medium, const std::string &extra)
{
    return "[" + name + "]\nmedium = " + medium + "\nfile = media/" + name + ".iso\nspeeds = 4x 8x\n" + extra;
}

} // namespace

TEST(ReclibErase, EstimatesFollowModeAndScaleAndErrorsHaveTheirCodes)
{
    LoadedReclib lib(rewritable("rw", "DVD-RW written", "erase-time-scale = 1\n") +
                     rewritable("half", "DVD-RW written", "erase-time-scale = 0.5\n") +
                     rewritable("r", "DVD-R written", "") +
                     "[none]\nmedium = none\nwrites = DVD\nfile = media/n.iso\n");
    RecDeviceHandle rw = lib.open("rw");
    // 2298496 sectors at 8x DVD (11080 kB/s): 425 s; quick: 64 MiB, 7 s.
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(rw, ERASE_MODE_FULL), 425);
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(rw, ERASE_MODE_QUICK), 7);
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(lib.open("half"), ERASE_MODE_FULL), 213);
    RecDeviceHandle r = lib.open("r");
    RecDeviceHandle none = lib.open("none");
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(r, ERASE_MODE_QUICK), ERASE_TIME_NOT_ERASABLE);
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(none, ERASE_MODE_QUICK), ERASE_TIME_NO_MEDIUM);
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(lib.open("Image Recorder"), ERASE_MODE_QUICK),
              ERASE_TIME_NOT_ERASABLE);
    lib.api.NeroCloseDevice(rw);
    EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(rw, ERASE_MODE_QUICK), ERASE_TIME_NO_DEVICE);
    EXPECT_EQ(lib.api.NeroEraseCDRW(r, ERASE_MODE_QUICK), ERASE_TIME_NOT_ERASABLE);
    EXPECT_EQ(lib.api.NeroEraseCDRW(none, ERASE_MODE_FULL), ERASE_TIME_NO_MEDIUM);
    // Each erase clears the error log: the last one's reason is there.
    EXPECT_TRUE(lib.errorLogged("There is no disc in none")) << lib.errorLog();
}

TEST(ReclibErase, ErasingLeavesABlankMediumAndAPacedOneCallsIdleMeanwhile)
{
    // Quick erase of 64 MiB at 8x DVD scaled by 0.1: ceil(0.61) = 1 s, at
    // least ten idle calls.
    const std::tuple<const char *, const char *, int> cases[] = {
        {"DVD-RW written", "erase-time-scale = 0\n", 0},
        {"DVD+RW written", "pacing = paced\nerase-time-scale = 0.1\n", 10},
        {"CD-RW written", "erase-time-scale = 0\n", 0},
    };
    for (const auto &[medium, extra, idleCalls] : cases) {
        SCOPED_TRACE(medium);
        LoadedReclib lib(rewritable("rw", medium, std::string("writes = DVD CD\n") + extra));
        RecDeviceHandle device = lib.open("rw");
        ASSERT_EQ(lib.burn(device, patternTrack(256), OverwriteFlags, 0, 0), BURN_OK);
        ASSERT_EQ(lib.discInfo(device).contentCount, 1);
        lib.callbacks.idleCalls = 0;
        EXPECT_EQ(lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK), 0) << lib.errorLog();
        EXPECT_GE(lib.callbacks.idleCalls, idleCalls);
        EXPECT_FALSE(lib.callbacks.foreignThread);
        const DiscInfo info = lib.discInfo(device);
        EXPECT_EQ(info.contentCount, 0);
        EXPECT_EQ(info.usedSectors, 0);
        EXPECT_TRUE(readFile(lib.folder + "/media/rw.iso").empty());
    }
}

TEST(ReclibErase, AnEraseThatCannotCompleteSaysWhyAndChangesNothing)
{
    // A folder at the medium's or the state's name: found before the erase.
    for (const char *folder : {"rw.iso", "rw.iso.state"}) {
        SCOPED_TRACE(folder);
        LoadedReclib lib(rewritable("rw", "DVD+RW written", "erase-time-scale = 0\n"));
        std::filesystem::create_directories(lib.folder + "/media/" + folder);
        RecDeviceHandle device = lib.open("rw");
        EXPECT_EQ(lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK), ERASE_FAILED);
        EXPECT_TRUE(lib.errorLogged("The erase failed: The ")) << lib.errorLog();
        EXPECT_TRUE(lib.errorLogged("/media/" + std::string(folder) + " is not a file")) << lib.errorLog();
        EXPECT_TRUE(std::filesystem::is_directory(lib.folder + "/media/" + folder));
        EXPECT_TRUE(filesEndingWith(lib.folder + "/media", ".part").empty());
    }
}

TEST(ReclibErase, AnAbortEndsAPacedEraseSoonAndTheDiscIsBlank)
{
    // A quick erase scaled to about a minute.
    LoadedReclib lib(rewritable("rw", "DVD+RW written", "pacing = paced\nerase-time-scale = 10\n"));
    RecDeviceHandle device = lib.open("rw");
    lib.callbacks.wantAbort = [&] { return lib.callbacks.idleCalls > 5; };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(lib.api.NeroEraseCDRW(device, ERASE_MODE_QUICK), 0) << lib.errorLog();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(lib.discInfo(device).contentCount, 0);
}
