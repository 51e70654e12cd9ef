#include "burn/MmcDiscStructure.h"

#include "sysio/ByteOrder.h"

namespace reclib::mmc {
namespace {

// Byte 1 carries the media type in its low nibble: 0 is DVD (1 would be
// BD). Bytes 2-5 (address) and 6 (layer) stay 0: the boundary is one value
// for the whole disc. Byte 10 (AGID) and 11 (control) stay 0.
Cdb12 layerBoundaryCdb(uint8_t opcode)
{
    Cdb12 cdb{};
    cdb[0] = opcode;
    cdb[7] = kFormatLayerBoundary;
    sysio::putBe16(&cdb[8], kLayerBoundaryLength); // allocation or parameter list length
    return cdb;
}

} // namespace

Cdb12 readLayerBoundaryCdb()
{
    return layerBoundaryCdb(kOpReadDiscStructure);
}

Cdb12 sendLayerBoundaryCdb()
{
    return layerBoundaryCdb(kOpSendDiscStructure);
}

std::array<uint8_t, kLayerBoundaryLength> layerBoundaryParameters(uint32_t l0Sectors)
{
    std::array<uint8_t, kLayerBoundaryLength> list{};
    // The data length counts the bytes after itself.
    sysio::putBe16(&list[0], kLayerBoundaryLength - 2);
    sysio::putBe32(&list[8], l0Sectors);
    return list;
}

std::optional<LayerBoundary> parseLayerBoundary(std::span<const uint8_t> answer)
{
    if (answer.size() < kLayerBoundaryLength || sysio::getBe16(answer.data()) < kLayerBoundaryLength - 2)
        return std::nullopt;
    return LayerBoundary{(answer[4] & 0x80) != 0, sysio::getBe32(&answer[8])};
}

} // namespace reclib::mmc
