// A stand-in recording library, built once per library generation with that
// generation's exports and version (see CMakeLists.txt). It logs every call,
// one a line, so a test sees what crossed the boundary.
#include "reclib_api.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string g_log;
unsigned g_singleVersion = FAKE_SINGLE_VERSION;
uint16_t g_components[4] = {static_cast<uint16_t>(FAKE_SINGLE_VERSION / 1000 % 10),
                            static_cast<uint16_t>(FAKE_SINGLE_VERSION / 100 % 10),
                            static_cast<uint16_t>(FAKE_SINGLE_VERSION / 10 % 10),
                            static_cast<uint16_t>(FAKE_SINGLE_VERSION % 10)};

__attribute__((format(printf, 1, 2))) void Log(const char *format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    g_log += line;
    g_log += '\n';
}

// Below 5555 devices travel in the legacy layout.
[[maybe_unused]] bool LegacyDeviceLayout()
{
    return g_singleVersion < 5555;
}

// Below 5.5.9.16 tracks use the legacy interface.
[[maybe_unused]] bool LegacyTracks()
{
    static const uint16_t first[4] = {5, 5, 9, 16};
    return std::lexicographical_compare(g_components, g_components + 4, first, first + 4);
}

// The folder this library was loaded from.
[[maybe_unused]] std::string OwnFolder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr)
        return {};
    const std::string path = info.dli_fname;
    return path.substr(0, path.rfind('/'));
}

// Released with free() by NeroFreeMem.
[[maybe_unused]] char *CopyText(const char *text)
{
    return ::strdup(text);
}

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

// Every field its own value, so a field carried into another is noticed.
[[maybe_unused]] LegacyDeviceInfo LegacyDevice()
{
    return {.name = "Old Recorder",
            .shortText = "OLDTEXT",
            .value72 = 1,
            .value76 = 2,
            .deviceType = DEVICE_TYPE_WRITER,
            .letter = 'E',
            .capabilities = DEVICE_CAP_WRITE,
            .readSpeedCount = 8,
            .readSpeeds = {1, 2, 4, 8, 12, 16, 20, 24},
            .writeSpeedCount = 3,
            .writeSpeeds = {4, 8, 16},
            .libPointer = &g_log,
            .libText = "legacy library text",
            .value1456 = 7,
            .unused = {}};
}

[[maybe_unused]] std::string Describe(const LegacyDeviceInfo &device)
{
    std::string text = std::string(device.name) + "|" + device.shortText + "|" + device.libText;
    for (const int32_t value :
         {device.value72, device.value76, device.deviceType, int32_t{device.letter}, device.capabilities,
          device.value1456, device.readSpeedCount, device.writeSpeedCount})
        text += "|" + std::to_string(value);
    for (int i = 0; i < LEGACY_SPEED_MAX; ++i)
        text += "|" + std::to_string(device.readSpeeds[i]) + "," + std::to_string(device.writeSpeeds[i]);
    return text + (device.libPointer == &g_log ? "|own pointer" : "|other pointer");
}

// A track of either interface generation that knows its label; its
// destruction is logged.
template <typename Interface> struct FakeTrack
{
    Interface base;
    std::string label;
};

template <typename Interface, typename Table> Table MakeTable()
{
    using T = Interface;
    Table table{};
    table.destroy = [](T *track, int deleteFlag) {
        Log("track destroyed %p delete=%d", static_cast<void *>(track), deleteFlag);
        if (deleteFlag != 0)
            delete reinterpret_cast<FakeTrack<T> *>(track);
    };
    table.volumeLabel = [](T *track) -> const char * {
        return reinterpret_cast<FakeTrack<T> *>(track)->label.c_str();
    };
    return table;
}

[[maybe_unused]] const IsoTrackVtbl kCurrentTable = MakeTable<IsoTrack, IsoTrackVtbl>();
[[maybe_unused]] const LegacyIsoTrackVtbl kLegacyTable = MakeTable<LegacyIsoTrack, LegacyIsoTrackVtbl>();

template <typename Interface, typename Table> void *MakeTrack(const Table *table, const char *label)
{
    return new FakeTrack<Interface>{{table}, label != nullptr ? label : ""};
}

} // namespace

// The calls only tests make.
FAKE_EXPORT const char *FakeCallLog(void)
{
    return g_log.c_str();
}

FAKE_EXPORT void FakeClearLog(void)
{
    g_log.clear();
}

// Makes the library report another version from now on.
FAKE_EXPORT void FakeSetVersion(unsigned single, uint16_t major, uint16_t minor, uint16_t third,
                                uint16_t fourth)
{
    g_singleVersion = single;
    const uint16_t components[4] = {major, minor, third, fourth};
    std::memcpy(g_components, components, sizeof components);
}

#if FAKE_HAS_GET_VERSION
FAKE_EXPORT unsigned NeroGetAPIVersion(void)
{
    return g_singleVersion;
}
#endif

#if FAKE_HAS_GET_VERSION_EX
FAKE_EXPORT int NeroGetAPIVersionEx(uint16_t *major, uint16_t *minor, uint16_t *third, uint16_t *fourth,
                                    void *)
{
    const uint16_t *components = g_components;
    for (uint16_t *part : {major, minor, third, fourth})
        *part = *components++;
    return 1;
}
#endif

#if FAKE_HAS_SET_VERSION
FAKE_EXPORT int NeroSetExpectedAPIVersion(unsigned version)
{
    Log("NeroSetExpectedAPIVersion %u", version);
    return FAKE_ACCEPTS_VERSION;
}
#endif

#if FAKE_HAS_SET_VERSION_EX
FAKE_EXPORT int NeroSetExpectedAPIVersionEx(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth,
                                            void *reserved)
{
    Log("NeroSetExpectedAPIVersionEx %u.%u.%u.%u reserved=%p", major, minor, third, fourth, reserved);
    return FAKE_ACCEPTS_VERSION;
}
#endif

#if FAKE_HAS_BASICS
FAKE_EXPORT void *NeroCreateIsoItemOfSize(size_t size)
{
    Log("NeroCreateIsoItemOfSize %zu", size);
    return std::calloc(1, size);
}

FAKE_EXPORT void NeroFreeMem(void *block)
{
    Log("NeroFreeMem %p", block);
    std::free(block);
}

FAKE_EXPORT void *NeroGetAvailableDrives(void)
{
    if (!LegacyDeviceLayout())
        return CurrentList(MEDIA_SET_CD);
    auto *list = static_cast<LegacyDeviceInfoList *>(std::calloc(1, sizeof(LegacyDeviceInfoList)));
    list->count = 1;
    list->devices[0] = LegacyDevice();
    return list;
}
#endif

#if FAKE_HAS_DRIVES_EX
FAKE_EXPORT DeviceInfoList *NeroGetAvailableDrivesEx(uint32_t mediaSet, void *reserved)
{
    const std::string folder = OwnFolder();
    Log("NeroGetAvailableDrivesEx media=%u reserved=%p DVDR.DLL=%d DVDR._DLL=%d", mediaSet, reserved,
        ::access((folder + "/DVDR.DLL").c_str(), F_OK) == 0,
        ::access((folder + "/DVDR._DLL").c_str(), F_OK) == 0);
    return CurrentList(mediaSet);
}
#endif

#if FAKE_HAS_TYPE_NAME
FAKE_EXPORT char *NeroGetTypeNameOfMedia(uint32_t mediaSet, const char *separator)
{
    Log("NeroGetTypeNameOfMedia %u separator=%s", mediaSet, separator != nullptr ? separator : "(null)");
    return CopyText("DVD-R, DVD+R");
}
#endif

#if FAKE_HAS_SURFACE
FAKE_EXPORT int NeroInit(const RecLibSettings *settings, const char *reserved)
{
    Log("NeroInit files=%s reserved=%p", settings != nullptr ? settings->filesFolder : "(null)",
        static_cast<const void *>(reserved));
    return 0;
}

FAKE_EXPORT int NeroDone(void)
{
    Log("NeroDone");
    return 0;
}

FAKE_EXPORT void NeroClearErrors(void)
{
    Log("NeroClearErrors");
}

FAKE_EXPORT char *NeroGetErrorLog(void)
{
    return CopyText("fake error log");
}

FAKE_EXPORT char *NeroGetLocalizedWaitCDTexts(int waitType)
{
    return CopyText(("Insert a disc " + std::to_string(waitType)).c_str());
}

// A legacy record is compared with the one the library handed out.
FAKE_EXPORT RecDeviceHandle NeroOpenDevice(const void *record)
{
    if (record == nullptr)
        return nullptr;
    if (LegacyDeviceLayout()) {
        const auto *legacy = static_cast<const LegacyDeviceInfo *>(record);
        Log("NeroOpenDevice legacy name=%s as listed=%d", legacy->name,
            Describe(*legacy) == Describe(LegacyDevice()));
    } else {
        Log("NeroOpenDevice name=%s", static_cast<const DeviceInfo *>(record)->name);
    }
    return static_cast<RecDeviceHandle>(std::calloc(1, 8));
}

FAKE_EXPORT void NeroCloseDevice(RecDeviceHandle handle)
{
    Log("NeroCloseDevice %p", static_cast<void *>(handle));
    std::free(handle);
}

FAKE_EXPORT DiscInfo *NeroGetCDInfo(RecDeviceHandle handle, uint32_t flags)
{
    Log("NeroGetCDInfo %p flags=%u", static_cast<void *>(handle), flags);
    auto *info = static_cast<DiscInfo *>(std::calloc(1, sizeof(DiscInfo)));
    info->mediaType = MEDIA_DVD_MINUS;
    return info;
}

FAKE_EXPORT int NeroEjectLoadCD(RecDeviceHandle handle, int eject)
{
    return handle != nullptr ? 10 + eject : -1;
}

FAKE_EXPORT int NeroGetCDRWErasingTime(RecDeviceHandle handle, int mode)
{
    return handle != nullptr ? 40 + mode : -1;
}

FAKE_EXPORT int NeroEraseCDRW(RecDeviceHandle handle, int mode)
{
    return handle != nullptr ? 20 + mode : -1;
}

FAKE_EXPORT IsoTrack *NeroCreateIsoTrackEx(IsoItem *root, const char *label, uint32_t flags)
{
    // A library refuses a compilation without a root.
    if (root == nullptr) {
        Log("NeroCreateIsoTrackEx refused");
        return nullptr;
    }
    void *track = LegacyTracks() ? MakeTrack<LegacyIsoTrack>(&kLegacyTable, label)
                                 : MakeTrack<IsoTrack>(&kCurrentTable, label);
    Log("NeroCreateIsoTrackEx label=%s flags=%u -> %p", label, flags, track);
    return static_cast<IsoTrack *>(track);
}

// Reads the label through the interface of this library's generation.
FAKE_EXPORT int NeroBurn(RecDeviceHandle device, int format, void *writeRecord, uint32_t flags,
                         uint32_t speedKBs, RecProgress *progress)
{
    auto *record = static_cast<WriteRecord *>(writeRecord);
    void *track = record != nullptr ? static_cast<void *>(record->track) : nullptr;
    const char *label = "(none)";
    if (track != nullptr) {
        label = LegacyTracks()
                    ? static_cast<LegacyIsoTrack *>(track)->vtbl->volumeLabel(
                          static_cast<LegacyIsoTrack *>(track))
                    : static_cast<IsoTrack *>(track)->vtbl->volumeLabel(static_cast<IsoTrack *>(track));
    }
    Log("NeroBurn device=%p format=%d flags=%u speed=%u progress=%p track=%p label=%s",
        static_cast<void *>(device), format, flags, speedKBs, static_cast<void *>(progress), track, label);
    return BURN_OK;
}

FAKE_EXPORT void NeroFreeIsoTrack(IsoTrack *track)
{
    Log("NeroFreeIsoTrack %p", static_cast<void *>(track));
    if (track == nullptr)
        return;
    if (LegacyTracks()) {
        auto *legacy = reinterpret_cast<LegacyIsoTrack *>(track);
        legacy->vtbl->destroy(legacy, 1);
    } else {
        track->vtbl->destroy(track, 1);
    }
}
#endif
