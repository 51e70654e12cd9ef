#pragma once
// The volume descriptor set terminator that ends the ISO 9660 descriptors.

#include "image/ImageWriter.h"

namespace image {

class IsoTerminatorWriter : public ImageWriter
{
public:
    void reserveDescriptors(SectorAllocator &alloc) override { m_sector = alloc.reserve(1); }
    void writeDescriptors(ImageSegments &out, const ImageGeometry &geometry) override;

private:
    uint32_t m_sector = 0;
};

} // namespace image
