#pragma once
// The one moment every file system of an image records (creation, modification
// and file times alike), so that a fixed moment gives byte-identical images.

#include <array>
#include <cstdint>
#include <ctime>
#include <string>

namespace image {

class ImageTime {
public:
    explicit ImageTime(std::time_t seconds);

    // SOURCE_DATE_EPOCH when it holds a valid non-negative number, else now.
    static ImageTime fromEnvironment();

    std::time_t seconds() const { return m_seconds; }
    // ISO 9660 directory record date: years since 1900, month, day, hour,
    // minute, second, offset from UTC (always 0).
    std::array<uint8_t, 7> isoRecordDate() const;
    // ISO 9660 volume descriptor date: "YYYYMMDDHHMMSScc" and the offset byte.
    std::array<uint8_t, 17> isoVolumeDate() const;
    // UDF timestamp (12 bytes, UTC).
    std::array<uint8_t, 12> udfTimestamp() const;

private:
    std::time_t m_seconds;
    std::tm m_utc{};
};

} // namespace image
