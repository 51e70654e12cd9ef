#pragma once

#include "recorder/ModuleHandle.h"

#include <cstddef>
#include <cstdint>

class RegistryStore;

// Finding, loading and releasing the recording library NeroAPI.so.
//
// The library's folder comes from the registry store handed in: first the value
// "NeroAPI" of "SOFTWARE\ahead\Shared", then the recording suite's App Paths
// entry. Loading and unloading happen on the user-interface thread while no
// recording job runs; the adapters read g_hRecLib from any thread.

inline constexpr std::size_t kRecLibDirSize = 256;

// The loaded library; empty when none is loaded. Every adapter tests it.
extern ModuleHandle g_hRecLib;
// The library's folder exactly as read from the registry (a trailing '/'
// is kept); filled by the search and kept for the rest of the run.
extern char g_szRecLibDir[kRecLibDirSize];

// Releases any module held, finds the library, puts its folder in front of
// PATH, loads it and declares the interface version 6.0.0.0. Returns 1 when
// the library is loaded and accepted that version, 0 otherwise (nothing is
// left loaded then).
int LoadRecordingLibrary(RegistryStore &registry);

// Releases the module if one is held. g_szRecLibDir is kept.
void UnloadRecordingLibrary();

// Declares the interface version the program was built for, through
// NeroSetExpectedAPIVersionEx or, without it, NeroSetExpectedAPIVersion with
// the components (each at most 9) as one four-digit number. Returns the
// library's answer (nonzero = accepted); 0 when neither export exists.
int SetExpectedLibraryVersion(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth,
                              void *reserved);

// Writes folder to the "NeroAPI" value of "SOFTWARE\ahead\Shared". A missing
// key or a store that cannot be written is ignored silently.
void StoreLibraryFolder(RegistryStore &registry, const char *folder);
