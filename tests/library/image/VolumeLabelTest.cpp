// The volume label in each file system's own field: ISO 9660 holds 32
// d-characters, Joliet 16 UCS-2 characters, UDF's logical volume 126 bytes
// and its primary volume descriptor 30.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"
#include "UdfImage.h"

#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

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

void PrintTo(const LabelCase &c, std::ostream *out)
{
    *out << '"' << c.label << '"';
}

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

std::string isoinfoVolumeId(const std::string &image)
{
    const auto info = run("isoinfo -d -i '" + image + "'");
    std::smatch m;
    static const std::regex line(R"(Volume id: ([^\n]*))");
    return std::regex_search(info.output, m, line) ? std::string(m[1]) : "<none>";
}

class VolumeLabelTest : public testing::TestWithParam<LabelCase>
{
};

TEST_P(VolumeLabelTest, EachFieldHoldsAllTheLabelItHasRoomFor)
{
    const LabelCase &c = GetParam();
    const std::string folder = tempDir("label");
    std::ofstream(folder + "/a.txt") << "a";
    auto tree = std::make_unique<IsoItemTree>();
    tree->addFile(nullptr, "a.txt", folder + "/a.txt");
    TrackPtr track(
        CreateIsoImageTrack(tree->root(), c.label, ISO_TRACK_ISO9660 | ISO_TRACK_UDF | ISO_TRACK_JOLIET));
    const std::string image = folder + "/label.iso";
    ASSERT_EQ(writeImage(track.get(), image), "");

    const auto bytes = readFile(image);
    EXPECT_EQ(field(bytes, 16 * SECTOR_SIZE + 40, 32), c.iso);
    EXPECT_EQ(isoinfoVolumeId(image), c.iso);
    EXPECT_EQ(jolietField(bytes, 17 * SECTOR_SIZE + 40, 32), c.joliet);
    UdfImage udf(image);
    EXPECT_EQ(udf.volumeId(), c.udfPrimary);
    // The logical volume descriptor, fourth in the main sequence at 32.
    EXPECT_EQ(dString(bytes, 35 * SECTOR_SIZE + 84, 128), c.udfLogical);
}

INSTANTIATE_TEST_SUITE_P(Labels, VolumeLabelTest, testing::ValuesIn(kLabels));

} // namespace
