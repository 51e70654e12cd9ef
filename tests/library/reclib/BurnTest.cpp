// NeroBurn to virtual recorders: what lands in the medium file and its
// state, what the callbacks receive, and the burn flags.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace {

std::string recorderConfig(const std::string &name, const std::string &medium, const std::string &extra = "")
{
    return "[" + name + "]\nmedium = " + medium + "\nfile = media/" + name + ".iso\nspeeds = 2.4x 4x 8x\n" +
           extra;
}

const char *const SlowRecorder =
    "[slow]\nmedium = DVD+RW blank\nfile = media/slow.iso\nspeeds = 1x 8x\npacing = paced\n";

} // namespace

TEST(ReclibBurn, WritesTheImageToTheVirtualMediumAndRecordsItsState)
{
    LoadedReclib lib(recorderConfig("dvd", "DVD+RW blank"));
    RecDeviceHandle device = lib.open("dvd", MEDIA_SET_DVD);
    const int freedBefore = patternTracksFreed();
    EXPECT_EQ(lib.burn(device, patternTrack(300), ProgramBurnFlags, 11080), BURN_OK)
        << lib.callbacks.allLogs();
    EXPECT_EQ(patternTracksFreed(), freedBefore + 1); // NeroFreeIsoTrack calls slot 0 with deleteFlag 1
    EXPECT_EQ(readFile(lib.folder + "/media/dvd.iso"), patternImage(300));
    EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    const DiscInfo info = lib.discInfo(device);
    EXPECT_EQ(info.mediaType, MEDIA_TYPE_DVD_PRW);
    EXPECT_EQ(info.contentCount, 1);
    EXPECT_EQ(info.usedSectors, 300);

    const CallbackRecord &cb = lib.callbacks;
    EXPECT_FALSE(cb.foreignThread); // every callback on the caller's thread
    ASSERT_FALSE(cb.percents.empty());
    EXPECT_EQ(cb.percents.back(), 100);
    EXPECT_GT(cb.idleCalls, 0);
    EXPECT_GT(cb.abortCalls, 0);
    EXPECT_TRUE(cb.phaseSeen("Writing the disc"));
    EXPECT_TRUE(cb.phaseSeen("Ejecting the disc"));
    EXPECT_EQ(lib.errorLog(), "");

    // Overwriting with a shorter image leaves exactly the new one; no eject
    // skips the eject.
    lib.callbacks.phases.clear();
    ASSERT_EQ(lib.burn(device, patternTrack(50), OverwriteFlags | BURN_FLAG_NO_EJECT), BURN_OK);
    EXPECT_EQ(readFile(lib.folder + "/media/dvd.iso"), patternImage(50));
    EXPECT_FALSE(lib.callbacks.phaseSeen("Ejecting the disc"));
    EXPECT_EQ(lib.api.NeroEjectLoadCD(device, 1), 0);
}

// An image file is burned as it is, verified against the file, and its
// checksum logged; what is not a file of whole sectors makes no track.
TEST(ReclibBurn, AnImageFileIsBurnedAsItIs)
{
    LoadedReclib lib(recorderConfig("dvd", "DVD+RW blank"));
    const std::string image = lib.folder + "/film.iso";
    const std::vector<uint8_t> pattern = patternImage(300);
    writeFile(image, std::string(pattern.begin(), pattern.end()));
    writeFile(lib.folder + "/odd.iso", std::string(3000, 'x'));
    writeFile(lib.folder + "/empty.iso", "");
    ASSERT_EQ(::mkfifo((lib.folder + "/fifo.iso").c_str(), 0600), 0);
    for (const char *bad : {"/missing.iso", "/odd.iso", "/empty.iso", "/fifo.iso", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(lib.api.NeroCreateIsoTrackFromImage((lib.folder + bad).c_str()), nullptr);
        EXPECT_TRUE(lib.errorLogged(std::string("NeroCreateIsoTrackFromImage: ")) && lib.errorLogged(bad));
    }
    RecDeviceHandle device = lib.open("dvd", MEDIA_SET_DVD);
    ASSERT_EQ(lib.burn(device, lib.api.NeroCreateIsoTrackFromImage(image.c_str()),
                       ProgramBurnFlags | BURN_FLAG_VERIFY),
              BURN_OK)
        << lib.callbacks.allLogs();
    EXPECT_EQ(readFile(lib.folder + "/media/dvd.iso"), pattern);
    EXPECT_TRUE(lib.callbacks.phaseSeen("Verifying the written data"));
    std::array<char, 65> sum{};
    const std::unique_ptr<FILE, int (*)(FILE *)> sha256sum(::popen(("sha256sum < " + image).c_str(), "r"),
                                                           ::pclose);
    ASSERT_EQ(std::fread(sum.data(), 1, 64, sha256sum.get()), 64u);
    EXPECT_TRUE(
        lib.callbacks.loggedContaining(SHA256_LOG_PREFIX + std::string(sum.data()) + " (300 sectors)"))
        << lib.callbacks.allLogs();
}

TEST(ReclibBurn, ASimulationAsksNothingAndKeepsTheMediumAndItsState)
{
    LoadedReclib lib(recorderConfig("dvd", "DVD+RW blank"));
    RecDeviceHandle device = lib.open("dvd");
    ASSERT_EQ(lib.burn(device, patternTrack(40), ProgramBurnFlags), BURN_OK);
    const std::vector<uint8_t> medium = readFile(lib.folder + "/media/dvd.iso");
    const std::vector<uint8_t> state = readFile(lib.folder + "/media/dvd.iso.state");
    ASSERT_FALSE(state.empty());
    // The program answers No to a used disc: a simulation must not even ask,
    // with verify or without.
    for (const uint32_t verify : {0u, BURN_FLAG_VERIFY}) {
        SCOPED_TRACE(verify);
        lib.callbacks.dialogs.clear();
        EXPECT_EQ(lib.burn(device, patternTrack(64), ProgramBurnFlags | BURN_FLAG_SIMULATE | verify), BURN_OK)
            << lib.callbacks.allLogs();
        EXPECT_TRUE(lib.callbacks.dialogs.empty());
        EXPECT_TRUE(lib.callbacks.phaseSeen("Simulating the write"));
        EXPECT_EQ(readFile(lib.folder + "/media/dvd.iso"), medium);
        EXPECT_EQ(readFile(lib.folder + "/media/dvd.iso.state"), state);
        EXPECT_EQ(lib.discInfo(device).usedSectors, 40);
        EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    }
}

TEST(ReclibBurn, AbortEndsAPacedBurnWithinTwoSecondsAndKeepsTheWrittenDisc)
{
    // 1x DVD pacing: 60 MiB would take about 45 s.
    LoadedReclib lib(SlowRecorder);
    RecDeviceHandle device = lib.open("slow");
    ASSERT_EQ(lib.burn(device, patternTrack(16), OverwriteFlags, 8 * 1385), BURN_OK);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point abortedAt{};
    lib.callbacks.wantAbort = [&] {
        if (Clock::now() - start < std::chrono::milliseconds(1500))
            return false;
        if (abortedAt == Clock::time_point{})
            abortedAt = Clock::now();
        return true;
    };
    EXPECT_EQ(lib.burn(device, patternTrack(30 * 1024), OverwriteFlags, 1385), BURN_USER_ABORT);
    EXPECT_LT(Clock::now() - abortedAt, std::chrono::seconds(2));
    EXPECT_EQ(readFile(lib.folder + "/media/slow.iso"), patternImage(16));
    EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    EXPECT_EQ(lib.discInfo(device).usedSectors, 16);
    // At least ten polls a second while the write ran.
    const double seconds = std::chrono::duration<double>(abortedAt - start).count();
    EXPECT_GE(lib.callbacks.idleCalls, static_cast<int>(seconds * 10));
    EXPECT_GE(static_cast<int>(lib.callbacks.percents.size()), static_cast<int>(seconds * 10));
}

TEST(ReclibBurn, AfterAnAbortTheSameRecorderBurnsAgain)
{
    // Abort while libburn is busy writing, then burn on the same handle in
    // the same process: the aborted write must be gone from libburn by then.
    LoadedReclib lib(SlowRecorder);
    RecDeviceHandle device = lib.open("slow");
    lib.callbacks.answerDialog = overwriteUsedDisc;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        int polls = 0;
        lib.callbacks.wantAbort = [&] { return ++polls > 8; };
        ASSERT_EQ(lib.burn(device, patternTrack(30 * 1024), ProgramBurnFlags, 1385), BURN_USER_ABORT)
            << lib.callbacks.allLogs();
        lib.callbacks.wantAbort = [] { return false; };
        ASSERT_EQ(lib.burn(device, patternTrack(64), ProgramBurnFlags, 8 * 1385), BURN_OK) << lib.errorLog();
        EXPECT_EQ(readFile(lib.folder + "/media/slow.iso"), patternImage(64));
        EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    }
}

TEST(ReclibBurn, DvdRomBookTypeIsRecordedOnDvdPlusMediaAndLoggedElsewhere)
{
    LoadedReclib lib(recorderConfig("plus", "DVD+R blank") + recorderConfig("minus", "DVD-R blank"));
    RecDeviceHandle plus = lib.open("plus");
    EXPECT_EQ(lib.burn(plus, patternTrack(16), ProgramBurnFlags | BURN_FLAG_BOOKTYPE_DVDROM), BURN_OK);
    EXPECT_EQ(lib.discInfo(plus).bookType, 1);
    EXPECT_FALSE(lib.callbacks.loggedContaining("book type"));
    RecDeviceHandle minus = lib.open("minus");
    EXPECT_EQ(lib.burn(minus, patternTrack(16), ProgramBurnFlags | BURN_FLAG_BOOKTYPE_DVDROM), BURN_OK);
    EXPECT_EQ(lib.discInfo(minus).bookType, 0);
    EXPECT_TRUE(
        lib.callbacks.logged("minus cannot set the DVD-ROM book type on this disc; it keeps its own"));
}

TEST(ReclibBurn, Mode2TrackIsWrittenAsMode1WithOneLogLine)
{
    LoadedReclib lib("[cd]\nmedium = CD-R blank\nfile = media/cd.iso\nspeeds = 4x 16x\n");
    RecDeviceHandle device = lib.open("cd", MEDIA_SET_CD);
    PatternTrackOptions mode2;
    mode2.sectors = 32;
    mode2.mode2 = true;
    EXPECT_EQ(lib.burn(device, createPatternTrack(mode2), ProgramBurnFlags, 16 * 176, MEDIA_SET_CD), BURN_OK);
    const std::string logs = lib.callbacks.allLogs();
    const size_t first = logs.find("Mode 2");
    EXPECT_NE(first, std::string::npos) << logs;
    EXPECT_EQ(logs.find("Mode 2", first + 1), std::string::npos) << logs;
    EXPECT_EQ(readFile(lib.folder + "/media/cd.iso"), patternImage(32));
}

TEST(ReclibBurn, SpeedsAreTakenInKBsOrAsMultiplesAndUnlistedOnesRefused)
{
    LoadedReclib lib(recorderConfig("dvd", "DVD+RW blank"));
    RecDeviceHandle device = lib.open("dvd");
    const uint32_t plain = OverwriteFlags & ~BURN_FLAG_SPEED_IN_KBS;
    EXPECT_EQ(lib.burn(device, patternTrack(8), plain, 4), BURN_OK); // 4x
    EXPECT_EQ(lib.burn(device, patternTrack(8), plain | BURN_FLAG_SPEED_IN_KBS, 5540), BURN_OK);
    EXPECT_EQ(lib.burn(device, patternTrack(8), plain | BURN_FLAG_SPEED_IN_KBS, 4000), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.logged("dvd does not offer the write speed 4000 kB/s"));
    EXPECT_EQ(lib.burn(device, patternTrack(8), plain, 3), BURN_FAILED);
}

// The changer: an eject keeps the written disc in "ejected/" and loads the
// next waiting one (blank when its file is empty, as its state says when it
// has one); with none waiting the tray is empty until a file appears.
TEST(ReclibBurn, TheChangerKeepsEjectedDiscsAndLoadsTheWaitingOnes)
{
    LoadedReclib lib(recorderConfig("dvd", "DVD+RW blank", "changer = stack\n"));
    writeFile(lib.folder + "/stack/a.iso", "");
    writeFile(lib.folder + "/stack/b.iso", std::string(4 * 2048, 'x'));
    writeFile(lib.folder + "/stack/b.iso.state",
              "configured = DVD+RW\nmedium = DVD-R\nblank = no\ncontent-count = 1\nused-sectors = 4\n");
    RecDeviceHandle device = lib.open("dvd", MEDIA_SET_DVD);
    ASSERT_EQ(lib.burn(device, patternTrack(40), ProgramBurnFlags), BURN_OK);
    ASSERT_EQ(lib.api.NeroEjectLoadCD(device, 1), 0);
    EXPECT_EQ(lib.discInfo(device).usedSectors, 0); // a.iso: blank
    ASSERT_EQ(lib.burn(device, patternTrack(30), ProgramBurnFlags), BURN_OK);
    ASSERT_EQ(lib.api.NeroEjectLoadCD(device, 1), 0);
    EXPECT_EQ(lib.discInfo(device).mediaType, MEDIA_DVD_MINUS); // b.iso, written
    EXPECT_EQ(lib.discInfo(device).usedSectors, 4);
    ASSERT_EQ(lib.api.NeroEjectLoadCD(device, 1), 0);
    EXPECT_EQ(lib.discInfo(device).mediaType, 0xffffffffu); // no disc
    EXPECT_EQ(readFile(lib.folder + "/stack/ejected/disc-1.iso"), patternImage(40));
    EXPECT_EQ(readFile(lib.folder + "/stack/ejected/disc-2.iso"), patternImage(30));
    EXPECT_NE(readFile(lib.folder + "/stack/ejected/disc-3.iso").size(), 0u);
    writeFile(lib.folder + "/stack/c.iso", "");
    EXPECT_EQ(lib.discInfo(device).mediaType, MEDIA_TYPE_DVD_PRW);
}
