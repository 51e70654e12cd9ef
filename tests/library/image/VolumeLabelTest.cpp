// The volume label in each file system's own field: ISO 9660 holds 32
// d-characters, Joliet 16 UCS-2 characters, UDF's logical volume 126 bytes
// and its primary volume descriptor 30.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include <gtest/gtest.h>

using namespace imagetest;
using namespace imagecheck;

namespace {

struct LabelCase
{
    const char *label;
    const char *iso;        // ISO 9660 volume identifier without the padding
    const char *joliet;     // Joliet volume identifier
    const char *udfPrimary; // UDF primary volume descriptor's volume identifier
    const char *udfLogical; // UDF logical volume identifier
};

const LabelCase kLabels[] = {
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "ABCDEFGHIJKLMNOP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "ABCDEFGHIJKLMNOP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "ABCDEFGHIJKLMNOP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
    {"My.Disc 2", "MY_DISC_2", "My.Disc 2", "My.Disc 2", "My.Disc 2"},
};

std::string field(const std::vector<uint8_t> &image, size_t at, size_t width)
{
    std::string text(reinterpret_cast<const char *>(&image[at]), width);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The Joliet identifier: UCS-2 big-endian; the labels here are ASCII.
std::string jolietField(const std::vector<uint8_t> &image, size_t at, size_t width)
{
    std::string text;
    for (size_t i = 0; i + 1 < width; i += 2)
        text.push_back(char(image[at + i + 1]));
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// An 8-bit d-string: the compression byte, the text, its length at the end.
std::string dString(const std::vector<uint8_t> &image, size_t at, size_t width)
{
    const size_t used = image[at + width - 1];
    return used > 1 ? std::string(reinterpret_cast<const char *>(&image[at + 1]), used - 1) : "";
}

TEST(VolumeLabelTest, EachFieldHoldsAllTheLabelItHasRoomFor)
{
    const std::string file = writeFile(tempDir("label") + "/a.txt", "a");
    for (const LabelCase &c : kLabels) {
        SCOPED_TRACE(c.label);
        IsoItemTree tree;
        tree.addFile(nullptr, "a.txt", file);
        const Built b = build(tree, c.label, kAll);
        ASSERT_EQ(b.error, "");
        const auto bytes = readFile(b.image);
        EXPECT_EQ(field(bytes, 16 * SECTOR_SIZE + 40, 32), c.iso);
        EXPECT_EQ(jolietField(bytes, 17 * SECTOR_SIZE + 40, 32), c.joliet);
        EXPECT_EQ(UdfImage(b.image).volumeId(), c.udfPrimary);
        // The logical volume descriptor, fourth in the main sequence at 32.
        EXPECT_EQ(dString(bytes, 35 * SECTOR_SIZE + 84, 128), c.udfLogical);
    }
}

} // namespace
