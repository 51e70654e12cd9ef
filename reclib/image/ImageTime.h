#pragma once
// A moment as the file systems of an image record it: the volume's own
// moment (creation and modification of the volume, fixed by
// SOURCE_DATE_EPOCH so that images can be byte-identical) and each file's
// and folder's date.

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace image {

class ImageTime
{
public:
    // A moment outside what every field can hold (see recordable) is moved
    // to the nearest one inside.
    explicit ImageTime(std::time_t seconds, uint32_t nanoseconds = 0);

    // SOURCE_DATE_EPOCH when it holds a valid non-negative number, else now.
    static ImageTime fromEnvironment();
    // SOURCE_DATE_EPOCH when it holds a valid non-negative number.
    static std::optional<std::time_t> sourceDateEpoch();

    // The ISO 9660 record date counts years from 1900 in one byte, so the
    // moments every file system can record run from 1900-01-01 00:00:00 to
    // 2155-12-31 23:59:59 UTC.
    static constexpr std::time_t kEarliest = -2208988800;
    static constexpr std::time_t kLatest = 5869583999;
    static bool recordable(std::time_t seconds) { return seconds >= kEarliest && seconds <= kLatest; }

    std::time_t seconds() const { return m_seconds; }
    // ISO 9660 directory record date: years since 1900, month, day, hour,
    // minute, second, offset from UTC (always 0).
    std::array<uint8_t, 7> isoRecordDate() const;
    // ISO 9660 volume descriptor date: "YYYYMMDDHHMMSScc" and the offset byte.
    std::array<uint8_t, 17> isoVolumeDate() const;
    // UDF timestamp (12 bytes, UTC, to the microsecond).
    std::array<uint8_t, 12> udfTimestamp() const;

private:
    std::time_t m_seconds;
    uint32_t m_nanoseconds;
    std::tm m_utc{};
};

} // namespace image
