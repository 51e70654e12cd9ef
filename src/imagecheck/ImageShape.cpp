#include "ImageShape.h"

#include "StrictStructureCheck.h"

#include <algorithm>

namespace imagecheck {
namespace {

using strict::le16;
using strict::le32;

bool identifierAt(const std::vector<uint8_t> &sector, const char *id)
{
    return std::equal(id, id + 5, sector.begin() + 1);
}

// The primary volume descriptor's volume space size, once one is found
// before the set's terminator.
bool readIso(const strict::ImageSectors &image, ImageShape &shape)
{
    for (uint64_t s = 16; s < 64 && s < image.sectorCount(); ++s) {
        const std::vector<uint8_t> d = image.read(s);
        if (!identifierAt(d, "CD001") || d[0] == 255)
            return false;
        if (d[0] == 1) {
            shape.recordedSectors = std::max<uint64_t>(shape.recordedSectors, le32(&d[80]));
            shape.volumeId.assign(reinterpret_cast<const char *>(&d[40]), 32);
            shape.volumeId.erase(shape.volumeId.find_last_not_of(' ') + 1);
            return true;
        }
    }
    return false;
}

// A UDF volume recognition sequence names NSR02 or NSR03; the anchor at
// sector 256 leads to the partition descriptor, whose end the image must reach.
bool readUdf(const strict::ImageSectors &image, ImageShape &shape)
{
    bool nsr = false;
    for (uint64_t s = 16; s < 64 && s < image.sectorCount() && !nsr; ++s) {
        const std::vector<uint8_t> d = image.read(s);
        nsr = identifierAt(d, "NSR02") || identifierAt(d, "NSR03");
    }
    if (!nsr)
        return false;
    const std::vector<uint8_t> anchor = image.read(256);
    if (le16(&anchor[0]) != 2)
        return true;
    const uint32_t first = le32(&anchor[20]);
    const uint32_t count = le32(&anchor[16]) / strict::kSector;
    for (uint32_t s = first; s < first + std::min<uint32_t>(count, 64); ++s) {
        const std::vector<uint8_t> d = image.read(s);
        if (le16(&d[0]) == 5)
            shape.recordedSectors =
                std::max<uint64_t>(shape.recordedSectors, uint64_t(le32(&d[188])) + le32(&d[192]));
        if (le16(&d[0]) == 8)
            break;
    }
    return true;
}

} // namespace

ImageShape shapeOf(const std::string &path)
{
    ImageShape shape;
    const strict::ImageSectors image(path);
    shape.opened = image.isOpen();
    if (!shape.opened)
        return shape;
    shape.fileSectors = image.sectorCount();
    shape.iso9660 = readIso(image, shape);
    shape.udf = readUdf(image, shape);
    return shape;
}

} // namespace imagecheck
