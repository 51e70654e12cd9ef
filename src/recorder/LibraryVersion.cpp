#include "recorder/LibraryVersion.h"

#include "recorder/LibraryAdapters.h"

std::optional<LibraryVersion> QueryLibraryVersion()
{
    LibraryVersion version;
    if (NeroGetAPIVersionEx(&version.major, &version.minor, &version.third, &version.fourth, nullptr) == 0)
        return std::nullopt;
    return version;
}

bool IsOlderThan5_5_9_16(const std::optional<LibraryVersion> &version)
{
    return !version || *version < kFirstCurrentTrackVersion;
}

bool IsLibraryOlderThan5_5_9_16()
{
    return IsOlderThan5_5_9_16(QueryLibraryVersion());
}
