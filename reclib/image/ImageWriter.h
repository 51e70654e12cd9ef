#pragma once
// One on-disc structure of the image. The builder runs every writer through
// the same steps, in an order that puts the structures where readers expect
// them: reserve the volume descriptors (from sector 16), compute the blocks
// of the structure's own data, reserve anything that has to sit at the end,
// then, with every address known, write the descriptors and write the data
// into the segment list. What a writer keeps is freed with it.

#include "image/ImageSegments.h"
#include "image/ImageTime.h"
#include "image/SectorAllocator.h"

#include <string>

namespace image {

// Facts every writer needs once the layout is complete.
struct ImageGeometry
{
    uint32_t totalSectors = 0;
    ImageTime time{0};
    std::string label;
};

class ImageWriter
{
public:
    virtual ~ImageWriter() = default;

    virtual void reserveDescriptors(SectorAllocator &) {}
    virtual void computeBlocks(SectorAllocator &) {}
    virtual void reserveTail(SectorAllocator &) {}
    virtual void writeDescriptors(ImageSegments &, const ImageGeometry &) {}
    virtual void writeData(ImageSegments &, const ImageGeometry &) {}
};

} // namespace image
