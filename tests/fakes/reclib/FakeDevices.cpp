// The stand-in library's recorders: drive lists in the layout of its
// generation, and devices opened from either layout.
#include "FakeState.h"

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[maybe_unused]] DeviceInfoList *CurrentList(uint32_t mediaSet)
{
    auto *list = static_cast<DeviceInfoList *>(
        std::calloc(1, offsetof(DeviceInfoList, devices) + 2 * sizeof(DeviceInfo)));
    list->count = 2;
    for (int i = 0; i < 2; ++i) {
        DeviceInfo &device = (&list->devices[0])[i];
        std::snprintf(device.name, sizeof device.name, "Fake Recorder %c", 'A' + i);
        device.deviceType = DEVICE_TYPE_WRITER;
        device.capabilities = DEVICE_CAP_WRITE;
        device.writeSpeeds = {2, 1385, {5540, 11080}, {4, 8}, {}};
        device.mediaSet = mediaSet;
    }
    return list;
}

[[maybe_unused]] LegacyDeviceInfoList *LegacyList()
{
    auto *list = static_cast<LegacyDeviceInfoList *>(std::calloc(1, sizeof(LegacyDeviceInfoList)));
    list->count = 1;
    LegacyDeviceInfo &device = list->devices[0];
    std::strcpy(device.name, "Old Recorder");
    std::strcpy(device.shortText, "OLDTEXT");
    device.value72 = 1;
    device.value76 = 2;
    device.deviceType = DEVICE_TYPE_WRITER;
    device.letter = 'E';
    device.capabilities = DEVICE_CAP_WRITE;
    device.readSpeedCount = 8;
    const int32_t readSpeeds[8] = {1, 2, 4, 8, 12, 16, 20, 24};
    std::memcpy(device.readSpeeds, readSpeeds, sizeof readSpeeds);
    device.writeSpeedCount = 3;
    device.writeSpeeds[0] = 4;
    device.writeSpeeds[1] = 8;
    device.writeSpeeds[2] = 16;
    device.libPointer = list;
    std::strcpy(device.libText, "legacy library text");
    device.value1456 = 7;
    return list;
}

} // namespace

#if FAKE_HAS_DRIVES_EX
FAKE_EXPORT DeviceInfoList *NeroGetAvailableDrivesEx(uint32_t mediaSet, void *reserved)
{
    const std::string folder = fake::OwnFolder();
    fake::Log("NeroGetAvailableDrivesEx media=%u reserved=%p DVDR.DLL=%d DVDR._DLL=%d", mediaSet, reserved,
              ::access((folder + "/DVDR.DLL").c_str(), F_OK) == 0,
              ::access((folder + "/DVDR._DLL").c_str(), F_OK) == 0);
    return CurrentList(mediaSet);
}
#endif

#if FAKE_HAS_BASICS
FAKE_EXPORT void *NeroGetAvailableDrives(void)
{
    fake::Log("NeroGetAvailableDrives legacy=%d", fake::LegacyDeviceLayout());
    if (fake::LegacyDeviceLayout())
        return LegacyList();
    return CurrentList(MEDIA_SET_CD);
}
#endif

#if FAKE_HAS_SURFACE
FAKE_EXPORT RecDeviceHandle NeroOpenDevice(const void *record)
{
    if (record == nullptr)
        return nullptr;
    if (fake::LegacyDeviceLayout()) {
        const auto *legacy = static_cast<const LegacyDeviceInfo *>(record);
        const int32_t *speeds = legacy->writeSpeeds;
        fake::Log("NeroOpenDevice legacy name=%s write=%d: %d %d %d", legacy->name, legacy->writeSpeedCount,
                  speeds[0], speeds[1], speeds[2]);
    } else {
        fake::Log("NeroOpenDevice name=%s", static_cast<const DeviceInfo *>(record)->name);
    }
    return static_cast<RecDeviceHandle>(std::calloc(1, 8));
}

FAKE_EXPORT void NeroCloseDevice(RecDeviceHandle handle)
{
    fake::Log("NeroCloseDevice %p", static_cast<void *>(handle));
    std::free(handle);
}

FAKE_EXPORT DiscInfo *NeroGetCDInfo(RecDeviceHandle handle, uint32_t flags)
{
    fake::Log("NeroGetCDInfo %p flags=%u", static_cast<void *>(handle), flags);
    auto *info = static_cast<DiscInfo *>(std::calloc(1, sizeof(DiscInfo)));
    info->mediaType = MEDIA_DVD_MINUS;
    return info;
}

FAKE_EXPORT int NeroEjectLoadCD(RecDeviceHandle handle, int eject)
{
    fake::Log("NeroEjectLoadCD %p %d", static_cast<void *>(handle), eject);
    return 0;
}

FAKE_EXPORT int NeroGetCDRWErasingTime(RecDeviceHandle handle, int mode)
{
    fake::Log("NeroGetCDRWErasingTime %p %d", static_cast<void *>(handle), mode);
    return 40 + mode;
}

FAKE_EXPORT int NeroEraseCDRW(RecDeviceHandle handle, int mode)
{
    fake::Log("NeroEraseCDRW %p %d", static_cast<void *>(handle), mode);
    return 0;
}
#endif
