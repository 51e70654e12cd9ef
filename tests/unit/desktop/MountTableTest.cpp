// Where the drive's disc is mounted, from mountinfo tables the kernel writes.
#include "desktop/MountTable.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const QByteArray kTable = "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
                          "90 22 11:0 / /run/media/anna/DVD\\040VIDEO ro,nosuid shared:50 - udf /dev/sr0 ro\n"
                          "91 22 11:1 / /media/second ro shared:51 - iso9660 /dev/sr1 ro\n"
                          "92 22 11:0 / /mnt/again ro shared:52 - udf /dev/sr0 ro\n"
                          "93 22 110:0 / /mnt/other ro - udf /dev/x ro\n"
                          "truncated line\n";

const std::tuple<unsigned, unsigned, QStringList> kMounts[] = {
    {11, 0, {"/run/media/anna/DVD VIDEO", "/mnt/again"}}, // escaped space; mounted twice
    {11, 1, {"/media/second"}},
    {11, 2, {}},
    {1, 10, {}}, // "1:10" must not match "110:0" or "11:0"
};

TEST(MountTable, MountPointsOfTheDrivesDevice)
{
    for (const auto &[major, minor, points] : kMounts)
        EXPECT_EQ(desktop::MountPointsOf(kTable, major, minor), points) << major << ":" << minor;
}

const std::tuple<QString, QString> kNodes[] = {
    {"drive:/dev/sr0", "/dev/sr0"},
    {"drive:stdio:/tmp/disc.iso", ""},
    {"virtual:DVD writer", ""},
    {"image:", ""},
};

TEST(MountTable, OnlyARealDriveHasADeviceNode)
{
    for (const auto &[text, node] : kNodes)
        EXPECT_EQ(desktop::DriveNodeOf(text), node) << text.toStdString();
}

} // namespace
