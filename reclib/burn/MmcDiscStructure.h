#pragma once
// MMC's READ DISC STRUCTURE (ADh) and SEND DISC STRUCTURE (BFh) for the
// layer boundary of a dual-layer DVD (format 20h): the command blocks, the
// parameter list that sets layer 0's size, and the drive's answer.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace reclib::mmc {

using Cdb12 = std::array<uint8_t, 12>;

inline constexpr uint8_t kOpReadDiscStructure = 0xAD;
inline constexpr uint8_t kOpSendDiscStructure = 0xBF;
inline constexpr uint8_t kFormatLayerBoundary = 0x20;
// Both the parameter list and the answer: a 4-byte header and 8 bytes.
inline constexpr uint16_t kLayerBoundaryLength = 12;

// READ DISC STRUCTURE, media type DVD, address 0, layer 0, format 20h.
Cdb12 readLayerBoundaryCdb();
// SEND DISC STRUCTURE, media type DVD, format 20h, 12 bytes to follow.
Cdb12 sendLayerBoundaryCdb();

// The parameter list that asks for layer 0 to hold l0Sectors.
std::array<uint8_t, kLayerBoundaryLength> layerBoundaryParameters(uint32_t l0Sectors);

struct LayerBoundary
{
    bool initStatus = false; // byte 4 bit 7, reported as the drive sets it
    uint32_t l0Capacity = 0; // sectors of layer 0's data area
};
// The answer to READ DISC STRUCTURE 20h; nothing when it is too short or
// its data length does not cover the capacity field.
std::optional<LayerBoundary> parseLayerBoundary(std::span<const uint8_t> answer);

// A drive keeps layer 0 a whole number of ECC blocks (16 sectors).
constexpr uint64_t roundUpToEccBlock(uint64_t sectors)
{
    return (sectors + 15) / 16 * 16;
}

} // namespace reclib::mmc
