// A full file system or a refused write at the Image Recorder's target:
// each ends with an error line and the target as it was.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include "support/FileSizeLimit.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/mount.h>

namespace {

// A small tmpfs of its own (root only); mounted() is false where the test
// may not mount.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(const std::string &size)
        : m_folder(testenv::makeTempDir("small-fs").toStdString())
    {
        m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    const std::string &folder() const { return m_folder; }

private:
    std::string m_folder;
    bool m_mounted = false;
};

const std::vector<unsigned char> EarlierImage = {'a', 'n', ' ', 'e', 'a', 'r', 'l', 'i',
                                                 'e', 'r', ' ', 'i', 'm', 'a', 'g', 'e'};

void answerWith(LoadedReclib &lib, const std::string &target)
{
    lib.callbacks.answerDialog = [target](int type, void *data) {
        if (type != DLG_IMAGE_FILENAME)
            return 0;
        std::strcpy(static_cast<char *>(data), target.c_str());
        return 1;
    };
}

} // namespace

TEST(ReclibTargetFaults, AnImageTargetOnAFullFileSystemIsRefusedAndKept)
{
    const SmallFileSystem small("1m");
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    LoadedReclib lib("");
    const std::string target = small.folder() + "/film.iso";
    writeFile(target, std::string(EarlierImage.begin(), EarlierImage.end()));
    answerWith(lib, target);
    RecDeviceHandle device = lib.open("Image Recorder");
    EXPECT_EQ(lib.burn(device, patternTrack(1024), ProgramBurnFlags), BURN_FAILED); // 2 MiB
    EXPECT_TRUE(lib.callbacks.loggedContaining("Not enough free space for the image file " + target))
        << lib.callbacks.allLogs();
    EXPECT_NE(lib.errorLog().find("Not enough free space"), std::string::npos);
    EXPECT_EQ(readFile(target), EarlierImage);
    EXPECT_TRUE(filesEndingWith(small.folder(), ".part").empty());
    EXPECT_TRUE(filesEndingWith(small.folder(), ".lock").empty());
    lib.api.NeroCloseDevice(device);
}

TEST(ReclibTargetFaults, AnImageWriteTheFileSystemRefusesHalfwayFailsAndKeepsTheTarget)
{
    LoadedReclib lib("");
    const std::string target = lib.folder + "/out/film.iso";
    writeFile(target, std::string(EarlierImage.begin(), EarlierImage.end()));
    answerWith(lib, target);
    RecDeviceHandle device = lib.open("Image Recorder");
    int result = BURN_OK;
    {
        // Files may grow to 256 KiB: the image stops in its middle.
        const testenv::FileSizeLimit limit(256 * 1024);
        result = lib.burn(device, patternTrack(400), ProgramBurnFlags);
    }
    EXPECT_EQ(result, BURN_FAILED);
    EXPECT_NE(lib.errorLog().find("cannot write " + target + "."), std::string::npos) << lib.errorLog();
    EXPECT_EQ(readFile(target), EarlierImage);
    EXPECT_TRUE(filesEndingWith(lib.folder + "/out", ".part").empty());
    lib.api.NeroCloseDevice(device);
}
