// The drive enumeration adapters: the extended call with its fallback, the
// plain call with the legacy layout, and the driver file version 5564 must
// not see while it enumerates.
#include "recorder/LibraryAdapters.h"

#include "recorder/ExportCall.h"
#include "recorder/LegacyDevices.h"
#include "recorder/LibraryVersion.h"

#include <fcntl.h>
#include <stdio.h>

#include <string>

namespace {

// Only this many characters of the library folder go into the driver's path.
constexpr std::size_t kFolderCharactersUsed = 246;
constexpr char kDriverName[] = "/DVDR.DLL";
constexpr char kDriverAsideName[] = "/DVDR._DLL";

// Renames like the platform's move: never over an existing file, so a
// stale aside copy is not lost. A failure is left to the caller to ignore.
void RenameWithoutReplacing(const std::string &from, const std::string &to)
{
    ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

DeviceInfoList *EnumerateWithDriverAside(PFN_NeroGetAvailableDrivesEx enumerate, uint32_t mediaSet,
                                         void *reserved)
{
    const std::string folder = std::string(g_szRecLibDir).substr(0, kFolderCharactersUsed);
    const std::string driver = folder + kDriverName;
    const std::string driverAside = folder + kDriverAsideName;
    RenameWithoutReplacing(driver, driverAside);
    DeviceInfoList *list = enumerate(mediaSet, reserved);
    RenameWithoutReplacing(driverAside, driver);
    return list;
}

} // namespace

DeviceInfoList *NeroGetAvailableDrivesEx(uint32_t mediaSet, void *reserved)
{
    const auto enumerate = g_hRecLib.Symbol<PFN_NeroGetAvailableDrivesEx>("NeroGetAvailableDrivesEx");
    if (enumerate == nullptr)
        return mediaSet == MEDIA_SET_CD ? NeroGetAvailableDrives() : nullptr;
    if (NeroGetAPIVersion() == kRenamesDvdrDriver)
        return EnumerateWithDriverAside(enumerate, mediaSet, reserved);
    return enumerate(mediaSet, reserved);
}

DeviceInfoList *NeroGetAvailableDrives()
{
    const auto enumerate = g_hRecLib.Symbol<PFN_NeroGetAvailableDrives>("NeroGetAvailableDrives");
    if (enumerate == nullptr)
        return nullptr;
    void *list = enumerate();
    if (NeroGetAPIVersion() >= kFirstCurrentDeviceLayout)
        return static_cast<DeviceInfoList *>(list);
    DeviceInfoList *converted = ConvertLegacyDriveList(static_cast<LegacyDeviceInfoList *>(list));
    // The caller only ever sees the converted list, so the library's own
    // would otherwise be lost.
    NeroFreeMem(list);
    return converted;
}
