#include "image/ImageSegments.h"

#include "image/ByteOrder.h"

#include <algorithm>

namespace image {

void ImageSegments::addBytes(uint32_t start, std::vector<uint8_t> bytes)
{
    ImageSegment segment;
    segment.start = start;
    segment.sectors = sectorsFor(bytes.size());
    if (segment.sectors == 0)
        return;
    segment.bytes = &m_bytes.emplace_back(std::move(bytes));
    m_segments.push_back(segment);
}

void ImageSegments::addFiles(uint32_t start, uint32_t sectors, std::span<const ImageNode> files)
{
    ImageSegment segment;
    segment.start = start;
    segment.sectors = sectors;
    segment.files = files.data();
    segment.fileCount = uint32_t(files.size());
    if (segment.sectors > 0)
        m_segments.push_back(segment);
}

void ImageSegments::addGenerated(uint32_t start, uint32_t sectors, const SectorGenerator &generator)
{
    ImageSegment segment;
    segment.start = start;
    segment.sectors = sectors;
    segment.generator = &generator;
    if (segment.sectors > 0)
        m_segments.push_back(segment);
}

bool ImageSegments::finish(uint32_t totalSectors)
{
    // In place: a stable sort would take a buffer as large as the list. Two
    // ranges with one start overlap and fail below whatever their order.
    std::sort(m_segments.begin(), m_segments.end(),
              [](const ImageSegment &a, const ImageSegment &b) { return a.start < b.start; });
    uint64_t end = 0;
    for (const auto &segment : m_segments) {
        if (segment.start < end)
            return false;
        end = uint64_t(segment.start) + segment.sectors;
    }
    return end <= totalSectors;
}

} // namespace image
