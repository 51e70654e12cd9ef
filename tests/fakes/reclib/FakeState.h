#pragma once

// What every part of the stand-in library shares: the call log, and the version
// it reports.
#include "reclib_api.h"

#include <cstdint>
#include <string>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace fake {

__attribute__((format(printf, 1, 2))) void Log(const char *format, ...);

unsigned SingleVersion();
const uint16_t *VersionComponents();
// Below 5555 devices travel in the legacy layout.
bool LegacyDeviceLayout();
// Below 5.5.9.16 tracks use the legacy interface.
bool LegacyTracks();

// The folder this library was loaded from.
std::string OwnFolder();
// A copy in memory NeroFreeMem releases.
char *CopyText(const char *text);

} // namespace fake
