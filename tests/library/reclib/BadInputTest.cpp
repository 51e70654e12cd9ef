// What the exports do with arguments the program should never pass: a
// result code and an error-log line, never a crash, never a finished-looking
// medium.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const char *const OneRecorder = "[D]\nmedium = DVD+RW blank\nfile = media/d.iso\nspeeds = 4x\n";

} // namespace

TEST(ReclibBadInput, UnknownAndClosedHandlesAreRefused)
{
    LoadedReclib lib(OneRecorder);
    RecDeviceHandle device = lib.open("D");
    lib.api.NeroCloseDevice(device);
    lib.api.NeroCloseDevice(device);
    EXPECT_NE(lib.errorLog().find("already closed"), std::string::npos);

    const auto madeUp = reinterpret_cast<RecDeviceHandle>(static_cast<uintptr_t>(0x1234));
    for (RecDeviceHandle handle : {device, madeUp, static_cast<RecDeviceHandle>(nullptr)}) {
        EXPECT_EQ(lib.burn(handle, patternTrack(4), ProgramBurnFlags), BURN_INVALID_DRIVE);
        EXPECT_EQ(lib.api.NeroGetCDInfo(handle, CDINFO_FLAGS_DEFAULT), nullptr);
        EXPECT_EQ(lib.api.NeroGetCDRWErasingTime(handle, ERASE_MODE_QUICK), ERASE_TIME_NO_DEVICE);
        EXPECT_EQ(lib.api.NeroEraseCDRW(handle, ERASE_MODE_QUICK), ERASE_TIME_NO_DEVICE);
        EXPECT_EQ(lib.api.NeroEjectLoadCD(handle, 1), -1);
    }
    EXPECT_TRUE(lib.callbacks.logged("NeroBurn: the recorder handle is unknown or closed"));
    EXPECT_NE(lib.errorLog().find("unknown or closed"), std::string::npos);
}

TEST(ReclibBadInput, BadDeviceRecordsOpenNothing)
{
    LoadedReclib lib(OneRecorder);
    EXPECT_EQ(lib.api.NeroOpenDevice(nullptr), nullptr);
    DeviceInfo forged{};
    std::memset(&forged, 'A', sizeof forged); // no terminating NUL anywhere
    EXPECT_EQ(lib.api.NeroOpenDevice(&forged), nullptr);
    DeviceInfo gone{};
    std::strcpy(gone.libText, "virtual:Removed");
    EXPECT_EQ(lib.api.NeroOpenDevice(&gone), nullptr);
    EXPECT_NE(lib.errorLog().find("no longer configured"), std::string::npos);
}

TEST(ReclibBadInput, BadBurnArgumentsGiveTheirResults)
{
    LoadedReclib lib(OneRecorder);
    RecDeviceHandle device = lib.open("D");
    RecProgress progress = lib.callbacks.progress();
    EXPECT_EQ(lib.api.NeroBurn(device, 0, nullptr, ProgramBurnFlags, 0, &progress), BURN_FAILED);
    WriteRecord empty{};
    EXPECT_EQ(lib.api.NeroBurn(device, 0, &empty, ProgramBurnFlags, 0, &progress), BURN_FAILED);
    IsoTrack *track = patternTrack(4);
    WriteRecord record{};
    record.track = track;
    EXPECT_EQ(lib.api.NeroBurn(device, 1, &record, ProgramBurnFlags, 0, &progress),
              BURN_FUNCTION_NOT_ALLOWED);
    EXPECT_EQ(lib.api.NeroBurn(device, 0, &record, BURN_FLAG_VERIFY, 0, &progress),
              BURN_FUNCTION_NOT_ALLOWED);
    // No progress record at all: the burn still works, silently.
    EXPECT_EQ(lib.api.NeroBurn(device, 0, &record, ProgramBurnFlags, 0, nullptr), BURN_OK);
    lib.api.NeroFreeIsoTrack(track);
    lib.api.NeroFreeIsoTrack(nullptr);
    lib.api.NeroCloseDevice(device);
}

TEST(ReclibBadInput, AnImageLargerThanTheDiscIsRefused)
{
    LoadedReclib lib("[Small]\nmedium = DVD+R blank\nfile = media/s.iso\ncapacity = 100\n");
    RecDeviceHandle device = lib.open("Small");
    EXPECT_EQ(lib.burn(device, patternTrack(101), ProgramBurnFlags), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.loggedContaining("needs 101 sectors")) << lib.callbacks.allLogs();
    EXPECT_FALSE(exists(lib.folder + "/media/s.iso"));
    EXPECT_EQ(lib.burn(device, patternTrack(100), ProgramBurnFlags), BURN_OK);
    lib.api.NeroCloseDevice(device);
}

TEST(ReclibBadInput, AWriteErrorLeavesNoFinishedLookingImage)
{
    LoadedReclib lib("[W]\nmedium = DVD+R blank\nfile = media/w.iso\nfault = fail-at-sector 600\n");
    RecDeviceHandle device = lib.open("W");
    EXPECT_EQ(lib.burn(device, patternTrack(2000), ProgramBurnFlags), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.loggedContaining("write error at sector 600")) << lib.callbacks.allLogs();
    EXPECT_FALSE(exists(lib.folder + "/media/w.iso"));
    EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    EXPECT_EQ(lib.discInfo(device).contentCount, 0);
    lib.api.NeroCloseDevice(device);
}

TEST(ReclibBadInput, AnInjectedWriteFaultFiresOnlyAtASectorTheImageHas)
{
    // Sectors count from 0: a 200-sector image has sectors 0 to 199.
    const struct
    {
        int64_t failAt;
        int result;
    } cases[] = {{0, BURN_FAILED}, {199, BURN_FAILED}, {200, BURN_OK}, {5000, BURN_OK}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.failAt);
        LoadedReclib lib("[W]\nmedium = DVD+R blank\nfile = media/w.iso\nfault = fail-at-sector " +
                         std::to_string(c.failAt) + "\n");
        RecDeviceHandle device = lib.open("W");
        EXPECT_EQ(lib.burn(device, patternTrack(200), ProgramBurnFlags), c.result) << lib.callbacks.allLogs();
        const bool failed = c.result == BURN_FAILED;
        EXPECT_EQ(lib.callbacks.loggedContaining("write error at sector " + std::to_string(c.failAt)),
                  failed);
        EXPECT_EQ(exists(lib.folder + "/media/w.iso"), !failed);
        lib.api.NeroCloseDevice(device);
    }
}

TEST(ReclibBadInput, AnImageFileInAMissingFolderIsRefused)
{
    LoadedReclib lib("");
    RecDeviceHandle device = lib.open("Image Recorder");
    const std::string target = lib.folder + "/no/such/folder/x.iso";
    lib.callbacks.answerDialog = [&](int, void *data) {
        std::strcpy(static_cast<char *>(data), target.c_str());
        return 1;
    };
    EXPECT_EQ(lib.burn(device, patternTrack(4), ProgramBurnFlags), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.loggedContaining("does not exist"));
    // A buffer filled to the brim is cut, not overrun.
    lib.callbacks.answerDialog = [](int, void *data) {
        std::memset(data, 'a', IMAGE_PATH_BUFFER_SIZE);
        return 1;
    };
    EXPECT_EQ(lib.burn(device, patternTrack(4), ProgramBurnFlags), BURN_FAILED);
    lib.api.NeroCloseDevice(device);
}

TEST(ReclibBadInput, TreesWithLoopsOrAbsurdDepthAreRefused)
{
    LoadedReclib lib("");
    auto item = [&](bool folder) {
        auto *it = static_cast<IsoItem *>(lib.api.NeroCreateIsoItemOfSize(sizeof(IsoItem)));
        std::strcpy(it->name, folder ? "DIR" : "FILE");
        it->directoryFlag = folder ? 1 : 0;
        return it;
    };
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(nullptr, "LABEL", ISO_TRACK_ISO9660), nullptr);

    IsoItem *root = item(true);
    IsoItem *child = item(true);
    root->firstChild = child;
    child->firstChild = root; // a loop
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(root, "LABEL", ISO_TRACK_ISO9660 | ISO_TRACK_UDF), nullptr);
    EXPECT_NE(lib.errorLog().find("loop"), std::string::npos);
    child->firstChild = nullptr;
    child->nextSibling = child; // a sibling loop
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(root, "LABEL", ISO_TRACK_ISO9660), nullptr);
    lib.api.NeroFreeMem(root);
    lib.api.NeroFreeMem(child);

    std::vector<IsoItem *> chain{item(true)};
    for (int i = 0; i < 150; ++i) {
        chain.push_back(item(true));
        chain[chain.size() - 2]->firstChild = chain.back();
    }
    lib.api.NeroClearErrors();
    EXPECT_EQ(lib.api.NeroCreateIsoTrackEx(chain.front(), "LABEL", ISO_TRACK_ISO9660), nullptr);
    EXPECT_NE(lib.errorLog().find("deeper than"), std::string::npos);
    for (IsoItem *it : chain)
        lib.api.NeroFreeMem(it);
}

TEST(ReclibBadInput, ForeignBlocksAreNotFreed)
{
    LoadedReclib lib("");
    int onTheStack = 0;
    lib.api.NeroFreeMem(&onTheStack);
    std::vector<char> heap(16);
    lib.api.NeroFreeMem(heap.data());
    EXPECT_NE(lib.errorLog().find("did not hand out"), std::string::npos);
}
