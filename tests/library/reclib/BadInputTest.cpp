// Arguments the program should never pass: a result code and an error-log
// line, never a crash, never a finished-looking medium.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char *const OneRecorder = "[D]\nmedium = DVD+RW blank\nfile = media/d.iso\nspeeds = 4x\n";

} // namespace

TEST(ReclibBadInput, UnknownAndClosedHandlesAndForeignRecordsAndBlocksAreRefused)
{
    LoadedReclib lib(OneRecorder);
    RecDeviceHandle device = lib.open("D");
    lib.api.NeroCloseDevice(device);
    lib.api.NeroCloseDevice(device);
    EXPECT_TRUE(lib.errorLogged("already closed"));
    const auto madeUp = reinterpret_cast<RecDeviceHandle>(static_cast<uintptr_t>(0x1234));
    for (RecDeviceHandle handle : {device, madeUp, static_cast<RecDeviceHandle>(nullptr)}) {
        EXPECT_EQ(lib.burn(handle, patternTrack(4), ProgramBurnFlags), BURN_INVALID_DRIVE);
        EXPECT_EQ(lib.api.NeroGetCDInfo(handle, CDINFO_FLAGS_DEFAULT), nullptr);
        EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(handle, ERASE_MODE_QUICK), ERASE_TIME_NO_DEVICE);
        EXPECT_EQ(lib.api.NeroEraseCDRW(handle, ERASE_MODE_QUICK), ERASE_TIME_NO_DEVICE);
        EXPECT_EQ(lib.api.NeroEjectLoadCD(handle, 1), -1);
    }
    EXPECT_TRUE(lib.callbacks.logged("NeroBurn: the recorder handle is unknown or closed"));
    EXPECT_TRUE(lib.errorLogged("unknown or closed"));

    EXPECT_EQ(lib.api.NeroOpenDevice(nullptr), nullptr);
    DeviceInfo gone{};
    std::strcpy(gone.libText, "virtual:Removed");
    EXPECT_EQ(lib.api.NeroOpenDevice(&gone), nullptr);
    EXPECT_TRUE(lib.errorLogged("no longer configured"));
}

TEST(ReclibBadInput, BadBurnArgumentsGiveTheirResults)
{
    LoadedReclib lib(OneRecorder);
    RecDeviceHandle device = lib.open("D");
    RecProgress progress = lib.callbacks.progress();
    EXPECT_EQ(lib.api.NeroBurn(device, 0, nullptr, ProgramBurnFlags, 0, &progress), BURN_FAILED);
    WriteRecord record{};
    EXPECT_EQ(lib.api.NeroBurn(device, 0, &record, ProgramBurnFlags, 0, &progress), BURN_FAILED);
    record.track = patternTrack(4);
    // No progress record at all: the burn still works, silently.
    EXPECT_EQ(lib.api.NeroBurn(device, 0, &record, ProgramBurnFlags, 0, nullptr), BURN_OK);
    lib.api.NeroFreeIsoTrack(record.track);
    lib.api.NeroFreeIsoTrack(nullptr);
}

TEST(ReclibBadInput, AnImageLargerThanTheDiscIsRefused)
{
    LoadedReclib lib("[Small]\nmedium = DVD+R blank\nfile = media/s.iso\ncapacity = 100\n");
    RecDeviceHandle device = lib.open("Small");
    EXPECT_EQ(lib.burn(device, patternTrack(101), ProgramBurnFlags), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.loggedContaining("needs 101 sectors")) << lib.callbacks.allLogs();
    EXPECT_FALSE(exists(lib.folder + "/media/s.iso"));
    EXPECT_EQ(lib.burn(device, patternTrack(100), ProgramBurnFlags), BURN_OK);
}

TEST(ReclibBadInput, AnInjectedWriteFaultFiresOnlyAtASectorTheImageHasAndLeavesNoImage)
{
    // Sectors count from 0: a 200-sector image has sectors 0 to 199.
    const std::pair<int, bool> cases[] = {{0, true}, {199, true}, {200, false}, {5000, false}};
    for (const auto &[failAt, failed] : cases) {
        SCOPED_TRACE(failAt);
        LoadedReclib lib("[W]\nmedium = DVD+R blank\nfile = media/w.iso\nfault = fail-at-sector " +
                         std::to_string(failAt) + "\n");
        RecDeviceHandle device = lib.open("W");
        EXPECT_EQ(lib.burn(device, patternTrack(200), ProgramBurnFlags), failed ? BURN_FAILED : BURN_OK)
            << lib.callbacks.allLogs();
        EXPECT_EQ(lib.callbacks.loggedContaining("write error at sector " + std::to_string(failAt)), failed);
        EXPECT_EQ(exists(lib.folder + "/media/w.iso"), !failed);
        EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
        EXPECT_EQ(lib.discInfo(device).contentCount, failed ? 0 : 1);
    }
}

TEST(ReclibBadInput, TreesWithLoopsOrAbsurdDepthAreRefused)
{
    LoadedReclib lib("");
    auto folder = [&] {
        auto *it = static_cast<IsoItem *>(lib.api.NeroCreateIsoItemOfSize(sizeof(IsoItem)));
        std::strcpy(it->name, "DIR");
        it->directoryFlag = 1;
        return it;
    };
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(nullptr, "LABEL", ISO_TRACK_ISO9660), nullptr);
    IsoItem *root = folder();
    IsoItem *child = folder();
    root->firstChild = child;
    child->nextSibling = child; // a loop downwards would end at the depth limit below
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(root, "LABEL", ISO_TRACK_ISO9660), nullptr);
    EXPECT_TRUE(lib.errorLogged("loop"));
    lib.api.NeroFreeMem(root);
    lib.api.NeroFreeMem(child);

    std::vector<IsoItem *> chain{folder()};
    for (int i = 0; i < 150; ++i)
        chain.push_back(chain.back()->firstChild = folder());
    lib.api.NeroClearErrors();
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(chain.front(), "LABEL", ISO_TRACK_ISO9660), nullptr);
    EXPECT_TRUE(lib.errorLogged("deeper than"));
    for (IsoItem *it : chain)
        lib.api.NeroFreeMem(it);
}
