#include "recorder/LegacyDevices.h"

#include "recorder/LibraryAdapters.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Legacy libraries know no data rates: their speeds are multiples of the
// CD rate.
constexpr int32_t kLegacyRate1x = 150;

// Copies a text field into a smaller or larger one: at most the destination
// size less one, never reading past the source field, always terminated.
template <std::size_t DestinationSize, std::size_t SourceSize>
void CopyTextField(char (&destination)[DestinationSize], const char (&source)[SourceSize])
{
    const std::size_t length = std::min(DestinationSize - 1, ::strnlen(source, SourceSize));
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

int32_t SpeedInKBs(int32_t multiple)
{
    const int64_t speed = static_cast<int64_t>(multiple) * kLegacyRate1x;
    return static_cast<int32_t>(
        std::clamp<int64_t>(speed, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void SpeedsFromLegacy(int32_t count, const int32_t (&multiples)[LEGACY_SPEED_MAX], SpeedBlock &block)
{
    const int32_t used = std::clamp<int32_t>(count, 0, LEGACY_SPEED_MAX);
    block.count = used;
    block.rate1x = kLegacyRate1x;
    for (int32_t i = 0; i < used; ++i) {
        block.multiples[i] = multiples[i];
        block.kBs[i] = SpeedInKBs(multiples[i]);
    }
}

void SpeedsToLegacy(const SpeedBlock &block, int32_t &count, int32_t (&multiples)[LEGACY_SPEED_MAX])
{
    const int32_t available = std::clamp<int32_t>(block.count, 0, SPEED_BLOCK_MAX);
    const int32_t used = std::min<int32_t>(available, LEGACY_SPEED_MAX);
    count = used;
    for (int32_t i = 0; i < used; ++i)
        multiples[i] = block.multiples[i];
    // A list cut short must still offer the drive's fastest speed.
    if (used != 0)
        multiples[used - 1] = block.multiples[available - 1];
}

void FillFromLegacy(const LegacyDeviceInfo &legacy, DeviceInfo &device)
{
    CopyTextField(device.name, legacy.name);
    CopyTextField(device.shortText, legacy.shortText);
    device.value72 = legacy.value72;
    device.value76 = legacy.value76;
    device.deviceType = legacy.deviceType;
    device.letter = legacy.letter;
    device.capabilities = legacy.capabilities;
    SpeedsFromLegacy(legacy.readSpeedCount, legacy.readSpeeds, device.readSpeeds);
    SpeedsFromLegacy(legacy.writeSpeedCount, legacy.writeSpeeds, device.writeSpeeds);
    device.libPointer = legacy.libPointer;
    CopyTextField(device.libText, legacy.libText);
    device.value1456 = legacy.value1456;
}

} // namespace

DeviceInfoList *ConvertLegacyDriveList(const LegacyDeviceInfoList *legacy)
{
    if (legacy == nullptr || legacy->count < 0 || legacy->count > kMaxLegacyDevices)
        return nullptr;
    const auto count = static_cast<std::size_t>(legacy->count);
    const std::size_t size = offsetof(DeviceInfoList, devices) + count * sizeof(DeviceInfo);
    auto *list = static_cast<DeviceInfoList *>(NeroCreateIsoItemOfSize(size));
    if (list == nullptr)
        return nullptr;
    list->count = legacy->count;
    // The records run past the declared one-element arrays.
    const LegacyDeviceInfo *from = legacy->devices;
    DeviceInfo *to = list->devices;
    for (std::size_t i = 0; i < count; ++i) {
        DeviceInfo device{};
        FillFromLegacy(from[i], device);
        std::memcpy(&to[i], &device, sizeof device);
    }
    return list;
}

std::unique_ptr<LegacyDeviceInfo> MakeLegacyDeviceInfo(const DeviceInfo *device)
{
    if (device == nullptr)
        return nullptr;
    std::unique_ptr<LegacyDeviceInfo> legacy(new (std::nothrow) LegacyDeviceInfo{});
    if (!legacy)
        return nullptr;
    CopyTextField(legacy->name, device->name);
    CopyTextField(legacy->shortText, device->shortText);
    legacy->value72 = device->value72;
    legacy->value76 = device->value76;
    legacy->deviceType = device->deviceType;
    legacy->letter = device->letter;
    legacy->capabilities = device->capabilities;
    SpeedsToLegacy(device->readSpeeds, legacy->readSpeedCount, legacy->readSpeeds);
    SpeedsToLegacy(device->writeSpeeds, legacy->writeSpeedCount, legacy->writeSpeeds);
    legacy->libPointer = device->libPointer;
    CopyTextField(legacy->libText, device->libText);
    legacy->value1456 = device->value1456;
    return legacy;
}
