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

[[maybe_unused]] DeviceInfoList *CurrentList(uint32_t mediaSet)
{
    auto *list = static_cast<DeviceInfoList *>(std::calloc(1, sizeof(DeviceInfoList)));
    list->count = 1;
    std::strcpy(list->devices[0].name, "Fake Recorder");
    list->devices[0].mediaSet = mediaSet;
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

// Tracks of either interface generation; their destruction is logged.
template <typename Interface, typename Table> Table MakeTable()
{
    Table table{};
    table.destroy = [](Interface *track, int deleteFlag) {
        Log("track destroyed %p delete=%d", static_cast<void *>(track), deleteFlag);
        if (deleteFlag != 0)
            delete track;
    };
    return table;
}

[[maybe_unused]] const IsoTrackVtbl kCurrentTable = MakeTable<IsoTrack, IsoTrackVtbl>();
[[maybe_unused]] const LegacyIsoTrackVtbl kLegacyTable = MakeTable<LegacyIsoTrack, LegacyIsoTrackVtbl>();

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
    Log("NeroSetExpectedAPIVersionEx %u.%u.%u.%u %p", major, minor, third, fourth, reserved);
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
FAKE_EXPORT char *NeroGetTypeNameOfMedia(uint32_t, const char *)
{
    return ::strdup("DVD-R, DVD+R"); // released with free() by NeroFreeMem
}
#endif

#if FAKE_HAS_SURFACE
FAKE_EXPORT int NeroDone(void)
{
    Log("NeroDone");
    return 0;
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
    return reinterpret_cast<RecDeviceHandle>(&g_log); // nothing to close
}

// Calls whose arguments the program's own jobs cannot tell apart.
FAKE_EXPORT DiscInfo *NeroGetCDInfo(RecDeviceHandle, uint32_t flags)
{
    Log("NeroGetCDInfo %u", flags);
    return nullptr;
}

FAKE_EXPORT int NeroEjectLoadCD(RecDeviceHandle, int eject)
{
    Log("NeroEjectLoadCD %d", eject);
    return 0;
}

FAKE_EXPORT int NeroEraseCDRW(RecDeviceHandle, int mode)
{
    Log("NeroEraseCDRW %d", mode);
    return 0;
}

FAKE_EXPORT char *NeroGetLocalizedWaitCDTexts(int waitType)
{
    Log("NeroGetLocalizedWaitCDTexts %d", waitType);
    return nullptr;
}

FAKE_EXPORT IsoTrack *NeroCreateIsoTrackEx(IsoItem *root, const char *, uint32_t)
{
    // A library refuses a compilation without a root.
    if (root == nullptr) {
        Log("NeroCreateIsoTrackEx refused");
        return nullptr;
    }
    void *track = LegacyTracks() ? static_cast<void *>(new LegacyIsoTrack{&kLegacyTable})
                                 : static_cast<void *>(new IsoTrack{&kCurrentTable});
    Log("NeroCreateIsoTrackEx %p", track);
    return static_cast<IsoTrack *>(track);
}

FAKE_EXPORT int NeroBurn(RecDeviceHandle, int, void *writeRecord, uint32_t, uint32_t, RecProgress *)
{
    const auto *record = static_cast<const WriteRecord *>(writeRecord);
    Log("NeroBurn track=%p", record != nullptr ? static_cast<void *>(record->track) : nullptr);
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
