#pragma once

#include "ImageTestSupport.h"
#include "reclib_api.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Every export of NeroAPI.so, looked up by name like the program does.
// clang-format off
#define RECLIB_EXPORTS(X)                                                                        \
    X(NeroGetAPIVersion) X(NeroGetAPIVersionEx) X(NeroSetExpectedAPIVersion)                     \
    X(NeroSetExpectedAPIVersionEx) X(NeroInit) X(NeroDone) X(NeroClearErrors) X(NeroGetErrorLog) \
    X(NeroFreeMem) X(NeroCreateIsoItemOfSize) X(NeroGetAvailableDrivesEx)                        \
    X(NeroGetAvailableDrives) X(NeroGetTypeNameOfMedia) X(NeroOpenDevice) X(NeroCloseDevice)     \
    X(NeroGetCDInfo) X(NeroCreateIsoTrackEx) X(NeroFreeIsoTrack) X(NeroBurn) X(NeroEjectLoadCD)  \
    X(NeroGetCDRWErasingTime) X(NeroEraseCDRW) X(NeroGetLocalizedWaitCDTexts) X(NeroCheckTrackRoom)                        \
    X(NeroCreateIsoTrackFromImage)
// clang-format on

struct ReclibFunctions
{
#define RECLIB_DECLARE(name) PFN_##name name = nullptr;
    RECLIB_EXPORTS(RECLIB_DECLARE)
#undef RECLIB_DECLARE
};

// What the library told the program through its callbacks, and how the
// program answers. Also notes whether every callback ran on the thread that
// called into the library.
struct CallbackRecord
{
    std::vector<std::pair<int, std::string>> logs;
    std::vector<std::string> phases;
    std::vector<int> percents;
    std::vector<std::pair<int, intptr_t>> dialogs;
    int idleCalls = 0;
    int abortCalls = 0;
    bool foreignThread = false;
    std::thread::id callerThread = std::this_thread::get_id();

    std::function<int(int type, void *data)> answerDialog = [](int, void *) { return 0; };
    std::function<bool()> wantAbort = [] { return false; };

    RecLibSettings settings();
    RecProgress progress();
    void noteThread() { foreignThread = foreignThread || std::this_thread::get_id() != callerThread; }
    bool logged(const std::string &line) const
    {
        return std::ranges::find(logs, line, &std::pair<int, std::string>::second) != logs.end();
    }
    std::string allLogs() const;
    bool loggedContaining(const std::string &part) const { return allLogs().find(part) != std::string::npos; }
    bool phaseSeen(const std::string &phase) const
    {
        return std::ranges::find(phases, phase) != phases.end();
    }
};

// NeroAPI.so copied into a private program folder with its own
// virtual-recorder configuration, loaded, initialised with the record's
// callbacks, and shut down (which closes its recorders) and unloaded again.
class LoadedReclib
{
public:
    explicit LoadedReclib(const std::string &configText);
    ~LoadedReclib();
    LoadedReclib(const LoadedReclib &) = delete;
    LoadedReclib &operator=(const LoadedReclib &) = delete;

    ReclibFunctions api{};
    CallbackRecord callbacks;
    std::string folder;

    // Opens the first recorder of that name in the list for mediaSet.
    RecDeviceHandle open(const std::string &name, uint32_t mediaSet = 0);
    // Burns a track and frees it afterwards like the program does.
    int burn(RecDeviceHandle device, IsoTrack *track, uint32_t flags, uint32_t speed = 0,
             int32_t mediaType = 12);
    std::string errorLog();
    bool errorLogged(const std::string &part) { return errorLog().find(part) != std::string::npos; }
    // The disc information's copy, or mediaType 0xffffffff when there is none.
    DiscInfo discInfo(RecDeviceHandle device);

private:
    void *m_module = nullptr;
    RecLibSettings m_settings{};
};

using imagetest::bytes;
using imagetest::readFile;
using imagetest::writeFile;
using std::filesystem::exists;
// Files in folder whose names end with suffix.
std::vector<std::string> filesEndingWith(const std::string &folder, const std::string &suffix);

// Burn flags as the program passes them (write, disc-at-once, detect
// non-empty rewritable, speed in kB/s, DVD+R compatible close).
inline constexpr uint32_t ProgramBurnFlags = 0x190Cu;
// The same without the used-disc check: the burn overwrites the medium.
inline constexpr uint32_t OverwriteFlags = ProgramBurnFlags & ~BURN_FLAG_DETECT_NON_EMPTY_RW;
// The answer that lets a burn overwrite a used rewritable.
inline int overwriteUsedDisc(int type, void *)
{
    return type == DLG_NON_EMPTY_REWRITABLE ? 5 : 0;
}
