// The adapters whose export is simply passed through, and the ones that
// depend only on the single version number. Drive lists and tracks have
// files of their own.
#include "recorder/LibraryAdapters.h"

#include "recorder/ExportCall.h"
#include "recorder/LegacyDevices.h"
#include "recorder/LibraryVersion.h"

#include <cstring>

unsigned int NeroGetAPIVersion()
{
    return CallExportOr<PFN_NeroGetAPIVersion>("NeroGetAPIVersion", 0u);
}

int NeroGetAPIVersionEx(uint16_t *major, uint16_t *minor, uint16_t *third, uint16_t *fourth, void *reserved)
{
    if (const auto query = g_hRecLib.Symbol<PFN_NeroGetAPIVersionEx>("NeroGetAPIVersionEx"))
        return query(major, minor, third, fourth, reserved);
    const unsigned version = NeroGetAPIVersion();
    if (version == 0)
        return 0;
    const auto put = [](uint16_t *component, unsigned digit) {
        if (component != nullptr)
            *component = static_cast<uint16_t>(digit % 10);
    };
    put(major, version / 1000);
    put(minor, version / 100);
    put(third, version / 10);
    put(fourth, version);
    return 1;
}

int NeroSetExpectedAPIVersion(unsigned int version)
{
    return CallExportOr<PFN_NeroSetExpectedAPIVersion>("NeroSetExpectedAPIVersion", 0, version);
}

int NeroSetExpectedAPIVersionEx(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth,
                                void *reserved)
{
    return CallExportOr<PFN_NeroSetExpectedAPIVersionEx>("NeroSetExpectedAPIVersionEx", 0, major, minor,
                                                         third, fourth, reserved);
}

int NeroInit(const RecLibSettings *settings, const char *reserved)
{
    return CallExportOr<PFN_NeroInit>("NeroInit", 1, settings, reserved);
}

int NeroDone()
{
    // These versions do not survive their own shutdown call.
    const unsigned version = NeroGetAPIVersion();
    if (version >= kFirstSkippedDone && version <= kLastSkippedDone)
        return 1;
    return CallExportOr<PFN_NeroDone>("NeroDone", 1);
}

void NeroClearErrors()
{
    CallExportIfPresent<PFN_NeroClearErrors>("NeroClearErrors");
}

char *NeroGetErrorLog()
{
    return CallExportOr<PFN_NeroGetErrorLog>("NeroGetErrorLog", static_cast<char *>(nullptr));
}

void NeroFreeMem(void *block)
{
    CallExportIfPresent<PFN_NeroFreeMem>("NeroFreeMem", block);
}

void *NeroCreateIsoItemOfSize(std::size_t size)
{
    return CallExportOr<PFN_NeroCreateIsoItemOfSize>("NeroCreateIsoItemOfSize", static_cast<void *>(nullptr),
                                                     size);
}

char *NeroGetTypeNameOfMedia(uint32_t mediaSet, const char *separator)
{
    if (const auto query = g_hRecLib.Symbol<PFN_NeroGetTypeNameOfMedia>("NeroGetTypeNameOfMedia"))
        return query(mediaSet, separator);
    // Made by the library's allocator so that the caller's NeroFreeMem fits.
    static constexpr char kFallbackName[] = "CD-R/RW";
    auto *name = static_cast<char *>(NeroCreateIsoItemOfSize(sizeof kFallbackName));
    if (name != nullptr)
        std::memcpy(name, kFallbackName, sizeof kFallbackName);
    return name;
}

RecDeviceHandle NeroOpenDevice(const DeviceInfo *device)
{
    const auto open = g_hRecLib.Symbol<PFN_NeroOpenDevice>("NeroOpenDevice");
    if (open == nullptr)
        return nullptr;
    if (NeroGetAPIVersion() >= kFirstCurrentDeviceLayout)
        return open(device);
    // Null when memory runs out: the library then refuses the open.
    const std::unique_ptr<LegacyDeviceInfo> legacy = MakeLegacyDeviceInfo(device);
    return open(legacy.get());
}

void NeroCloseDevice(RecDeviceHandle device)
{
    CallExportIfPresent<PFN_NeroCloseDevice>("NeroCloseDevice", device);
}

DiscInfo *NeroGetCDInfo(RecDeviceHandle device, uint32_t flags)
{
    return CallExportOr<PFN_NeroGetCDInfo>("NeroGetCDInfo", static_cast<DiscInfo *>(nullptr), device, flags);
}

int NeroCheckTrackRoom(RecDeviceHandle device, IsoTrack *track, uint32_t flags)
{
    // A library without the check leaves it to NeroBurn.
    return CallExportOr<PFN_NeroCheckTrackRoom>("NeroCheckTrackRoom", BURN_OK, device, track, flags);
}

int NeroEjectLoadCD(RecDeviceHandle device, int eject)
{
    return CallExportOr<PFN_NeroEjectLoadCD>("NeroEjectLoadCD", -1, device, eject);
}

int NeroGetCDRWErasingTime(RecDeviceHandle device, int mode)
{
    return CallExportOr<PFN_NeroGetCDRWErasingTime>("NeroGetCDRWErasingTime", -1, device, mode);
}

int NeroEraseCDRW(RecDeviceHandle device, int mode)
{
    return CallExportOr<PFN_NeroEraseCDRW>("NeroEraseCDRW", -1, device, mode);
}

char *NeroGetLocalizedWaitCDTexts(int waitType)
{
    return CallExportOr<PFN_NeroGetLocalizedWaitCDTexts>("NeroGetLocalizedWaitCDTexts",
                                                         static_cast<char *>(nullptr), waitType);
}
