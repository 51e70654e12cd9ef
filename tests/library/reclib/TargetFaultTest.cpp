// A full file system or a refused write at the Image Recorder's target:
// each ends with an error line and the target as it was.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/mount.h>

namespace {

const std::string EarlierImage = "an earlier image";

// An Image Recorder whose dialog 20 names a target holding an earlier image.
RecDeviceHandle imageRecorderWriting(LoadedReclib &lib, const std::string &target)
{
    writeFile(target, EarlierImage);
    lib.callbacks.answerDialog = [target](int type, void *data) {
        if (type != DLG_IMAGE_FILENAME)
            return 0;
        std::strcpy(static_cast<char *>(data), target.c_str());
        return 1;
    };
    return lib.open("Image Recorder");
}

} // namespace

TEST(ReclibTargetFaults, AnImageTargetOnAFullFileSystemIsRefusedAndKept)
{
    // A small tmpfs of its own needs root.
    const std::string folder = imagetest::tempDir("small-fs");
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    {
        LoadedReclib lib("");
        const std::string target = folder + "/film.iso";
        RecDeviceHandle device = imageRecorderWriting(lib, target);
        EXPECT_EQ(lib.burn(device, patternTrack(1024), ProgramBurnFlags), BURN_FAILED); // 2 MiB
        EXPECT_TRUE(lib.callbacks.loggedContaining("Not enough free space for the image file " + target))
            << lib.callbacks.allLogs();
        EXPECT_TRUE(lib.errorLogged("Not enough free space"));
        EXPECT_EQ(readFile(target), bytes(EarlierImage));
        EXPECT_TRUE(filesEndingWith(folder, ".part").empty());
        EXPECT_TRUE(filesEndingWith(folder, ".lock").empty());
    }
    ::umount2(folder.c_str(), MNT_DETACH);
}

TEST(ReclibTargetFaults, AnImageWriteTheFileSystemRefusesHalfwayFailsAndKeepsTheTarget)
{
    LoadedReclib lib("");
    const std::string target = lib.folder + "/out/film.iso";
    RecDeviceHandle device = imageRecorderWriting(lib, target);
    int result = BURN_OK;
    {
        // Files may grow to 256 KiB: the image stops in its middle.
        const testenv::FileSizeLimit limit(256 * 1024);
        result = lib.burn(device, patternTrack(400), ProgramBurnFlags);
    }
    EXPECT_EQ(result, BURN_FAILED);
    EXPECT_TRUE(lib.errorLogged("cannot write " + target + ".")) << lib.errorLog();
    EXPECT_EQ(readFile(target), bytes(EarlierImage));
    EXPECT_TRUE(filesEndingWith(lib.folder + "/out", ".part").empty());
}
