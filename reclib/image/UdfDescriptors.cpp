#include "image/UdfDescriptors.h"

#include "image/ByteOrder.h"
#include "image/IsoNames.h"

#include <algorithm>
#include <cstring>

namespace image::udf {

uint16_t crc16(const uint8_t *data, size_t length)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < length; ++i) {
        crc ^= uint16_t(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return crc;
}

void finishTag(uint8_t *d, Tag id, size_t totalLength, uint32_t location)
{
    putLe16(d, id);
    putLe16(d + 2, 2);
    d[4] = 0;
    d[5] = 0;
    putLe16(d + 6, 0);
    const size_t crcLength = totalLength - 16;
    putLe16(d + 8, crc16(d + 16, crcLength));
    putLe16(d + 10, uint16_t(crcLength));
    putLe32(d + 12, location);
    uint8_t sum = 0;
    for (int i = 0; i < 16; ++i)
        if (i != 4)
            sum = uint8_t(sum + d[i]);
    d[4] = sum;
}

void putCharSpec(uint8_t *at)
{
    at[0] = 0;
    putPadded(at + 1, 63, "OSTA Compressed Unicode", 0);
}

void putRegid(uint8_t *at, std::string_view identifier, RegidKind kind)
{
    std::memset(at, 0, 32);
    putPadded(at + 1, 23, identifier, 0);
    if (kind == RegidKind::Implementation) {
        at[24] = 4; // operating system class: UNIX
        at[25] = 5; // Linux
        return;
    }
    putLe16(at + 24, 0x0102);
    if (kind == RegidKind::UdfIdentifier) {
        at[26] = 4;
        at[27] = 5;
    }
}

void putTimestamp(uint8_t *at, const ImageTime &time)
{
    const auto stamp = time.udfTimestamp();
    std::copy(stamp.begin(), stamp.end(), at);
}

std::vector<uint8_t> encodeCs0(std::string_view utf8, size_t maxBytes)
{
    const std::u32string points = decodeUtf8(utf8);
    const bool narrow = std::all_of(points.begin(), points.end(), [](char32_t c) { return c <= 0xFF; });
    std::vector<uint8_t> out{uint8_t(narrow ? 8 : 16)};
    for (char32_t c : points) {
        const char16_t unit = c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF) ? u'_' : char16_t(c);
        if (out.size() + (narrow ? 1 : 2) > maxBytes)
            break;
        if (!narrow)
            out.push_back(uint8_t(unit >> 8));
        out.push_back(uint8_t(unit));
    }
    return out;
}

void putDString(uint8_t *at, size_t width, std::string_view utf8)
{
    std::memset(at, 0, width);
    if (utf8.empty())
        return;
    const std::vector<uint8_t> text = encodeCs0(utf8, width - 1);
    std::copy(text.begin(), text.end(), at);
    at[width - 1] = uint8_t(text.size());
}

} // namespace image::udf
