#pragma once
// Fields of on-disc records: the integers in the byte orders the formats
// ask for (sysio/ByteOrder.h), padded texts and sector counts.

#include "sysio/ByteOrder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace image {

using sysio::getBe16;
using sysio::getBe32;
using sysio::putBe16;
using sysio::putBe32;
using sysio::putBoth16;
using sysio::putBoth32;
using sysio::putLe16;
using sysio::putLe32;
using sysio::putLe64;

// Copies text into a field of width bytes, padding the rest with fill.
inline void putPadded(uint8_t *at, size_t width, std::string_view text, uint8_t fill = ' ')
{
    const size_t n = text.size() < width ? text.size() : width;
    std::memcpy(at, text.data(), n);
    std::memset(at + n, fill, width - n);
}

inline constexpr uint32_t kSectorSize = 2048;

inline constexpr uint32_t sectorsFor(uint64_t bytes)
{
    return uint32_t((bytes + kSectorSize - 1) / kSectorSize);
}

} // namespace image
