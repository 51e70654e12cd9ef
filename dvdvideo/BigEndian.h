#pragma once
// The DVD-Video IFO files keep their numbers big-endian.

#include <cstdint>

namespace dvdvideo {

inline uint16_t getBe16(const uint8_t *at)
{
    return uint16_t(at[0] << 8 | at[1]);
}
inline uint32_t getBe32(const uint8_t *at)
{
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}
inline void putBe32(uint8_t *at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(v >> (8 * (3 - i)));
}

inline constexpr uint32_t kSectorBytes = 2048;

} // namespace dvdvideo
