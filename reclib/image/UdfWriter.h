#pragma once
// The UDF 1.02 volume: the volume recognition sequence after the ISO 9660
// descriptors, the main and reserve volume descriptor sequences, the closed
// logical volume integrity descriptor, the anchors at sector 256 and in the
// last sector, and one partition from sector 257 to the end that holds the
// file tree and all file data.

#include "image/ImageWriter.h"
#include "image/UdfFileTree.h"

namespace image {

class UdfWriter : public ImageWriter
{
public:
    explicit UdfWriter(ImageTree &tree);

    std::string refusal() const { return m_files.refusal(); }

    void reserveDescriptors(SectorAllocator &alloc) override;
    void computeBlocks(SectorAllocator &alloc) override;
    void reserveTail(SectorAllocator &alloc) override;
    void writeDescriptors(ImageSegments &out, const ImageGeometry &geometry) override;
    void writeData(ImageSegments &out, const ImageGeometry &geometry) override;

private:
    std::vector<uint8_t> volumeDescriptorSequence(uint32_t firstSector, const ImageGeometry &geometry) const;
    std::vector<uint8_t> integritySequence(const ImageGeometry &geometry) const;
    std::vector<uint8_t> anchor(uint32_t sector) const;

    UdfFileTree m_files;
    uint32_t m_recognitionSector = 0;
    uint32_t m_partitionLength = 0;
    uint32_t m_endAnchor = 0;
};

} // namespace image
