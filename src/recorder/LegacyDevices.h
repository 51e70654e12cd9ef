#pragma once

#include "reclib_api.h"

#include <cstdint>
#include <memory>

// Conversions between the current device records and the legacy ones of
// library versions below 5555.

// A legacy list claiming more recorders than this is taken as corrupt: the
// library hands over a bare pointer, so the count is all there is to go by,
// and no machine has this many recorders.
inline constexpr int32_t kMaxLegacyDevices = 64;

// The legacy list in the current layout, in a block from the
// NeroCreateIsoItemOfSize adapter (so NeroFreeMem releases it like a list
// from the library). Null for a null list, a negative or implausible count,
// or when the block cannot be had. The legacy list is left to the caller.
// Speeds are converted with 1x = 150 kB/s; a legacy speed count above 20 is
// cut to 20, and names are read no further than their legacy fields.
DeviceInfoList *ConvertLegacyDriveList(const LegacyDeviceInfoList *legacy);

// The device in the legacy layout, or null for a null device or when memory
// runs out. Speed lists longer than 20 are cut to 20 entries whose last one
// is the fastest speed of the full list. The kB/s lists, the data rate of 1x
// and the media set have no legacy counterpart.
std::unique_ptr<LegacyDeviceInfo> MakeLegacyDeviceInfo(const DeviceInfo *device);
