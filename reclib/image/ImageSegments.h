#pragma once
// What the image holds, sector range by sector range: serialised structures
// kept in memory and file data read from the sources while streaming. Sectors
// no range covers are zero.

#include "image/ImageTree.h"

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace image {

// Makes the sectors of a range while the image streams, for structures so
// many that keeping them serialised would cost more than the tree they come
// from (a File Entry per file: 2 KiB on the disc, 184 bytes used).
class SectorGenerator
{
public:
    virtual ~SectorGenerator() = default;
    // Fills the whole sector (2048 bytes) index of the range.
    virtual void fill(uint32_t index, uint8_t *sector) const = 0;
};

// One range; exactly one of the three says what fills it.
struct ImageSegment
{
    uint32_t start = 0; // absolute sector
    uint32_t sectors = 0;
    // Serialised bytes (at most sectors * 2048; the rest of the range is
    // zero), kept by the segment list ...
    const std::vector<uint8_t> *bytes = nullptr;
    // ... or sectors made on demand by a generator the writer owns ...
    const SectorGenerator *generator = nullptr;
    // ... or the data of files side by side in one folder's entries,
    // files[0] to files[fileCount - 1]: each file's size bytes, of the
    // version its stamp() names, from its dataSector on, back to back.
    // Entries without data (folders, empty files) may lie between them.
    const ImageNode *files = nullptr;
    uint32_t fileCount = 0;
};

class ImageSegments
{
public:
    void addBytes(uint32_t start, std::vector<uint8_t> bytes);
    // The nodes must outlive the segment list.
    void addFiles(uint32_t start, uint32_t sectors, std::span<const ImageNode> files);
    // The generator must outlive the segment list.
    void addGenerated(uint32_t start, uint32_t sectors, const SectorGenerator &generator);
    // Room for count ranges, so that a list of a hundred thousand does not
    // grow by copies that briefly need twice its memory and more.
    void reserve(size_t count) { m_segments.reserve(count); }

    // Sorts the ranges by start sector. Returns false when two ranges overlap
    // or one reaches past totalSectors, which would be a layout fault.
    bool finish(uint32_t totalSectors);

    const std::vector<ImageSegment> &segments() const { return m_segments; }

private:
    std::vector<ImageSegment> m_segments;
    std::deque<std::vector<uint8_t>> m_bytes; // a deque: the segments point into it
};

} // namespace image
