#pragma once
// What the image holds, sector range by sector range: serialised structures
// kept in memory and file data read from the sources while streaming. Sectors
// no range covers are zero.

#include "image/ImageTree.h"

#include <cstdint>
#include <string>
#include <vector>

namespace image {

struct ImageSegment {
    uint32_t start = 0;       // absolute sector
    uint32_t sectors = 0;
    // Either bytes (at most sectors * 2048; the rest of the range is zero) ...
    std::vector<uint8_t> bytes;
    // ... or a source file of exactly fileSize bytes, as stamped at layout time.
    bool fromFile = false;
    std::string path;
    uint64_t fileSize = 0;
    FileStamp stamp;
};

class ImageSegments {
public:
    void addBytes(uint32_t start, std::vector<uint8_t> bytes);
    void addFile(uint32_t start, const std::string &path, const FileStamp &stamp);

    // Sorts the ranges by start sector. Returns false when two ranges overlap
    // or one reaches past totalSectors, which would be a layout fault.
    bool finish(uint32_t totalSectors);

    const std::vector<ImageSegment> &segments() const { return m_segments; }

private:
    std::vector<ImageSegment> m_segments;
};

} // namespace image
