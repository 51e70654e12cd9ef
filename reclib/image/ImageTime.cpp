#include "image/ImageTime.h"

#include "image/ByteOrder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace image {

ImageTime::ImageTime(std::time_t seconds, uint32_t nanoseconds)
    : m_seconds(std::clamp(seconds, kEarliest, kLatest)),
      m_nanoseconds(recordable(seconds) ? nanoseconds % 1000000000u : 0)
{
    gmtime_r(&m_seconds, &m_utc);
}

ImageTime ImageTime::fromEnvironment()
{
    if (const auto epoch = sourceDateEpoch())
        return ImageTime(*epoch);
    return ImageTime(std::time(nullptr));
}

std::optional<std::time_t> ImageTime::sourceDateEpoch()
{
    // The reproducible-builds convention: a decimal count of seconds since
    // 1970. Anything else is ignored rather than giving a surprising date.
    if (const char *text = std::getenv("SOURCE_DATE_EPOCH"); text && *text) {
        char *end = nullptr;
        errno = 0;
        const long long value = std::strtoll(text, &end, 10);
        if (errno == 0 && *end == '\0' && value >= 0 && value <= 253402300799LL)
            return std::time_t(value);
    }
    return std::nullopt;
}

std::array<uint8_t, 7> ImageTime::isoRecordDate() const
{
    return {uint8_t(m_utc.tm_year),
            uint8_t(m_utc.tm_mon + 1),
            uint8_t(m_utc.tm_mday),
            uint8_t(m_utc.tm_hour),
            uint8_t(m_utc.tm_min),
            uint8_t(m_utc.tm_sec),
            0};
}

std::array<uint8_t, 17> ImageTime::isoVolumeDate() const
{
    std::array<uint8_t, 17> out{};
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d00", (m_utc.tm_year + 1900) % 10000,
                  m_utc.tm_mon + 1, m_utc.tm_mday, m_utc.tm_hour, m_utc.tm_min, m_utc.tm_sec);
    for (int i = 0; i < 16; ++i)
        out[i] = uint8_t(text[i]);
    out[16] = 0;
    return out;
}

std::array<uint8_t, 12> ImageTime::udfTimestamp() const
{
    std::array<uint8_t, 12> out{};
    putLe16(out.data(), 0x1000); // type 1 (local time), offset 0 minutes: UTC
    putLe16(out.data() + 2, uint16_t(m_utc.tm_year + 1900));
    out[4] = uint8_t(m_utc.tm_mon + 1);
    out[5] = uint8_t(m_utc.tm_mday);
    out[6] = uint8_t(m_utc.tm_hour);
    out[7] = uint8_t(m_utc.tm_min);
    out[8] = uint8_t(m_utc.tm_sec);
    const uint32_t microseconds = m_nanoseconds / 1000;
    out[9] = uint8_t(microseconds / 10000);
    out[10] = uint8_t(microseconds / 100 % 100);
    out[11] = uint8_t(microseconds % 100);
    return out;
}

} // namespace image
