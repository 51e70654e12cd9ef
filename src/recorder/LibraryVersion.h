#pragma once

#include <compare>
#include <cstdint>
#include <optional>

// The four components of a library version, compared in order.
struct LibraryVersion
{
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t third = 0;
    uint16_t fourth = 0;

    friend auto operator<=>(const LibraryVersion &, const LibraryVersion &) = default;
};

// The single version numbers at which the library's behaviour changes.
inline constexpr unsigned kFirstCurrentDeviceLayout = 5555; // below: legacy device records
inline constexpr unsigned kRenamesDvdrDriver = 5564;        // needs DVDR.DLL out of the way
inline constexpr unsigned kFirstSkippedDone = 5564;         // 5564..5566 must not be shut down
inline constexpr unsigned kLastSkippedDone = 5566;

// The first version whose tracks use the current interface.
inline constexpr LibraryVersion kFirstCurrentTrackVersion{5, 5, 9, 16};

// The loaded library's version through the NeroGetAPIVersionEx adapter
// (which falls back to the single number); nothing when it is unknown.
std::optional<LibraryVersion> QueryLibraryVersion();

// An unknown version counts as older.
bool IsOlderThan5_5_9_16(const std::optional<LibraryVersion> &version);

// Whether the loaded library's tracks use the legacy interface.
bool IsLibraryOlderThan5_5_9_16();
