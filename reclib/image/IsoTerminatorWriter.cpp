#include "image/IsoTerminatorWriter.h"

#include "image/ByteOrder.h"

namespace image {

void IsoTerminatorWriter::writeDescriptors(ImageSegments &out, const ImageGeometry &)
{
    std::vector<uint8_t> d(kSectorSize, 0);
    d[0] = 255;
    putPadded(&d[1], 5, "CD001");
    d[6] = 1;
    out.addBytes(m_sector, std::move(d));
}

} // namespace image
