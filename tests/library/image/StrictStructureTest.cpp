// The strict structure check itself: it accepts the images the builder
// writes and names each seeded fault that the lenient readers let pass.

#include "BuiltImage.h"
#include "IsoItemTree.h"
#include "StrictStructureCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace imagetest;
using namespace imagecheck;
using namespace imagecheck::strict;

namespace {

using Image = std::vector<uint8_t>;

void putLe32At(Image &image, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[at + size_t(i)] = uint8_t(value >> (8 * i));
}

void putBe32At(Image &image, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[at + size_t(i)] = uint8_t(value >> (8 * (3 - i)));
}

// Recomputes CRC and checksum of the tag at byte offset at, so that a
// seeded fault is only the one it means to be.
void reseal(Image &image, size_t at)
{
    uint8_t *d = &image[at];
    const uint16_t crc = descriptorCrc(d + 16, le16(d + 10));
    d[8] = uint8_t(crc);
    d[9] = uint8_t(crc >> 8);
    d[4] = 0;
    for (int i = 0; i < 16; ++i)
        d[4] = uint8_t(d[4] + (i == 4 ? 0 : d[i]));
}

// Byte offsets of structures the faults aim at, found by reading the image.
size_t rootFileEntry(const Image &image)
{
    const size_t partition = le32(&image[34 * kSector + 188]);
    return (partition + le32(&image[partition * kSector + 404])) * kSector;
}

size_t rootIdentifiers(const Image &image)
{
    const size_t partition = le32(&image[34 * kSector + 188]);
    const size_t entry = rootFileEntry(image);
    return (partition + le32(&image[entry + 176 + le32(&image[entry + 168]) + 4])) * kSector;
}

struct Fault
{
    const char *name;
    std::function<void(Image &)> seed;
    const char *named; // part of the problem the check must report
};

// Where the anchor, the primary and the Joliet volume descriptor start.
constexpr size_t kAnchor = 256 * kSector, kPrimary = 16 * kSector, kJoliet = 17 * kSector;

// clang-format off
const Fault kFaults[] = {
    {"UdfPrimaryCrc", [](Image &i) { i[32 * kSector + 100] ^= 0x01; },
     "main sequence descriptor 1 (at 32): descriptor CRC"},
    {"ReserveChecksum", [](Image &i) { i[48 * kSector + 4] ^= 0x40; },
     "reserve sequence descriptor 1 (at 48): tag checksum"},
    {"AnchorLocation", [](Image &i) { putLe32At(i, kAnchor + 12, 255); reseal(i, kAnchor); },
     "UDF anchor at 256: tag location 255"},
    {"DescriptorVersion", [](Image &i) { i[34 * kSector + 2] = 3; reseal(i, 34 * kSector); },
     "descriptor version 3"},
    {"ReserveIsMain", [](Image &i) { putLe32At(i, kAnchor + 28, 32); reseal(i, kAnchor); },
     "the reserve sequence is the main sequence"},
    {"EndAnchorElsewhere", [](Image &i) {
         putLe32At(i, i.size() - kSector + 20, 33);
         reseal(i, i.size() - kSector); },
     "points elsewhere than the anchor at 256"},
    {"FileEntryCrc", [](Image &i) { i[rootFileEntry(i) + 80] ^= 0x10; },
     "UDF file entry of /: descriptor CRC"},
    {"IdentifierLocation", [](Image &i) {
         putLe32At(i, rootIdentifiers(i) + 12, 7);
         reseal(i, rootIdentifiers(i)); },
     "tag location 7"},
    {"IntegrityCount", [](Image &i) { i[64 * kSector + 120] ^= 0x01; reseal(i, 64 * kSector); },
     "the integrity descriptor counts"},
    {"PrimaryMPathTablePointer", [](Image &i) { putBe32At(i, kPrimary + 148, be32(&i[kPrimary + 148]) + 1); },
     "ISO 9660: type M path table"},
    // The root's path table record is 10 bytes; the second follows it.
    {"JolietLPathRecordExtent", [](Image &i) {
         const size_t second = le32(&i[kJoliet + 140]) * kSector + 10;
         putLe32At(i, second + 2, le32(&i[second + 2]) + 1); },
     "Joliet: type L path table record 2 does not match"},
    {"DotDotElsewhere", [](Image &i) {
         const size_t root = le32(&i[kPrimary + 156 + 2]) * kSector;
         const size_t dotdot = root + i[root];
         putLe32At(i, dotdot + 2, le32(&i[dotdot + 2]) + 1);
         putBe32At(i, dotdot + 6, be32(&i[dotdot + 6]) + 1); },
     "the second record is not \"..\""},
};
// clang-format on

TEST(StrictStructureTest, PassesTheSoundImageAndNamesEachSeededFault)
{
    const Built sound = build(*IsoItemTree::fromDvdFolder(samplePath("dvd-with-menus")), "STRICT", kAll);
    ASSERT_EQ(strictStructureProblems(sound.image), std::vector<std::string>{});
    for (const Fault &fault : kFaults) {
        SCOPED_TRACE(fault.name);
        Image damaged = readFile(sound.image);
        fault.seed(damaged);
        const std::string path = sound.image + "." + fault.name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(damaged.data()), std::streamsize(damaged.size()));
        std::string all;
        for (const auto &p : strictStructureProblems(path))
            all += p + "\n";
        EXPECT_NE(all.find(fault.named), std::string::npos) << all;
    }
}

} // namespace
