#pragma once
// Integers in on-disc records. ISO 9660 keeps many numbers twice
// (little-endian then big-endian), UDF keeps them little-endian, the DVD-Video
// IFO files big-endian.

#include <cstdint>

namespace sysio {

inline void putLe16(uint8_t *at, uint16_t v)
{
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}
inline void putBe16(uint8_t *at, uint16_t v)
{
    at[0] = uint8_t(v >> 8);
    at[1] = uint8_t(v);
}
inline void putLe32(uint8_t *at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(v >> (8 * i));
}
inline void putBe32(uint8_t *at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(v >> (8 * (3 - i)));
}
inline void putLe64(uint8_t *at, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        at[i] = uint8_t(v >> (8 * i));
}
inline void putBoth16(uint8_t *at, uint16_t v)
{
    putLe16(at, v);
    putBe16(at + 2, v);
}
inline void putBoth32(uint8_t *at, uint32_t v)
{
    putLe32(at, v);
    putBe32(at + 4, v);
}

inline uint16_t getBe16(const uint8_t *at)
{
    return uint16_t(at[0] << 8 | at[1]);
}
inline uint32_t getBe32(const uint8_t *at)
{
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}

} // namespace sysio
