#pragma once

#include "reclib_api.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Every export of NeroAPI.so, looked up by name like the program does.
struct ReclibFunctions
{
    PFN_NeroGetAPIVersion NeroGetAPIVersion;
    PFN_NeroGetAPIVersionEx NeroGetAPIVersionEx;
    PFN_NeroSetExpectedAPIVersion NeroSetExpectedAPIVersion;
    PFN_NeroSetExpectedAPIVersionEx NeroSetExpectedAPIVersionEx;
    PFN_NeroInit NeroInit;
    PFN_NeroDone NeroDone;
    PFN_NeroClearErrors NeroClearErrors;
    PFN_NeroGetErrorLog NeroGetErrorLog;
    PFN_NeroFreeMem NeroFreeMem;
    PFN_NeroCreateIsoItemOfSize NeroCreateIsoItemOfSize;
    PFN_NeroGetAvailableDrivesEx NeroGetAvailableDrivesEx;
    PFN_NeroGetAvailableDrives NeroGetAvailableDrives;
    PFN_NeroGetTypeNameOfMedia NeroGetTypeNameOfMedia;
    PFN_NeroOpenDevice NeroOpenDevice;
    PFN_NeroCloseDevice NeroCloseDevice;
    PFN_NeroGetCDInfo NeroGetCDInfo;
    PFN_NeroCreateIsoTrackEx NeroCreateIsoTrackEx;
    PFN_NeroFreeIsoTrack NeroFreeIsoTrack;
    PFN_NeroBurn NeroBurn;
    PFN_NeroEjectLoadCD NeroEjectLoadCD;
    PFN_NeroGetCDRWErasingTime NeroGetCDRWErasingTime;
    PFN_NeroEraseCDRW NeroEraseCDRW;
    PFN_NeroGetLocalizedWaitCDTexts NeroGetLocalizedWaitCDTexts;
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
    bool logged(const std::string &line) const;
    bool loggedContaining(const std::string &part) const;
    std::string allLogs() const;
    bool phaseSeen(const std::string &phase) const;
    void noteThread();
};

// NeroAPI.so copied into a private program folder with its own
// virtual-recorder configuration, loaded, initialised with the record's
// callbacks, and shut down and unloaded again.
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
    // The disc information's copy, or mediaType 0xffffffff when there is none.
    DiscInfo discInfo(RecDeviceHandle device);

private:
    void *m_module = nullptr;
    RecLibSettings m_settings{};
};

std::vector<unsigned char> readFile(const std::string &path);
void writeFile(const std::string &path, const std::string &text);
bool exists(const std::string &path);
// Files in folder whose names end with suffix.
std::vector<std::string> filesEndingWith(const std::string &folder, const std::string &suffix);

// Burn flags as the program passes them (write, disc-at-once, detect
// non-empty rewritable, speed in kB/s, DVD+R compatible close).
inline constexpr uint32_t ProgramBurnFlags = 0x190Cu;
// The same without the used-disc check: the burn overwrites the medium.
inline constexpr uint32_t OverwriteFlags = ProgramBurnFlags & ~BURN_FLAG_DETECT_NON_EMPTY_RW;
