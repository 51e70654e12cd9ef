// The stand-in library's recorders: drive lists in the layout of its
// generation, and devices opened from either layout.
#include "FakeState.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int32_t kLegacyReadMultiples[8] = {1, 2, 4, 8, 12, 16, 20, 24};

struct FakeDevice
{
    char name[64];
};

void FillDevice(DeviceInfo &device, const char *name, uint32_t mediaSet)
{
    std::snprintf(device.name, sizeof device.name, "%s", name);
    std::strcpy(device.shortText, "FK");
    device.deviceType = DEVICE_TYPE_WRITER;
    device.capabilities = DEVICE_CAP_WRITE;
    device.writeSpeeds.count = 2;
    device.writeSpeeds.rate1x = 1385;
    device.writeSpeeds.kBs[0] = 5540;
    device.writeSpeeds.kBs[1] = 11080;
    device.writeSpeeds.multiples[0] = 4;
    device.writeSpeeds.multiples[1] = 8;
    device.mediaSet = mediaSet;
}

[[maybe_unused]] DeviceInfoList *CurrentList(uint32_t mediaSet)
{
    const size_t size = offsetof(DeviceInfoList, devices) + 2 * sizeof(DeviceInfo);
    auto *list = static_cast<DeviceInfoList *>(std::calloc(1, size));
    list->count = 2;
    FillDevice(list->devices[0], "Fake Recorder A", mediaSet);
    FillDevice((&list->devices[0])[1], "Fake Recorder B", mediaSet);
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
    std::memcpy(device.readSpeeds, kLegacyReadMultiples, sizeof kLegacyReadMultiples);
    device.writeSpeedCount = 3;
    device.writeSpeeds[0] = 4;
    device.writeSpeeds[1] = 8;
    device.writeSpeeds[2] = 16;
    device.libPointer = list;
    std::strcpy(device.libText, "legacy library text");
    device.value1456 = 7;
    return list;
}

[[maybe_unused]] std::string SpeedsText(int32_t count, const int32_t *multiples)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d:", count);
    std::string described = text;
    for (int32_t i = 0; i < count && i < LEGACY_SPEED_MAX; ++i) {
        std::snprintf(text, sizeof text, " %d", multiples[i]);
        described += text;
    }
    return described;
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
    if (record == nullptr) {
        fake::Log("NeroOpenDevice null");
        return nullptr;
    }
    auto *device = static_cast<FakeDevice *>(std::calloc(1, sizeof(FakeDevice)));
    if (fake::LegacyDeviceLayout()) {
        const auto *legacy = static_cast<const LegacyDeviceInfo *>(record);
        fake::Log("NeroOpenDevice legacy name=%s write=%s", legacy->name,
                  SpeedsText(legacy->writeSpeedCount, legacy->writeSpeeds).c_str());
        std::snprintf(device->name, sizeof device->name, "%.31s", legacy->name);
    } else {
        const auto *current = static_cast<const DeviceInfo *>(record);
        fake::Log("NeroOpenDevice name=%s", current->name);
        std::snprintf(device->name, sizeof device->name, "%.63s", current->name);
    }
    return reinterpret_cast<RecDeviceHandle>(device);
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
