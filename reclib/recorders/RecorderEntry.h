#pragma once

#include "reclib_api.h"
#include "recorders/VirtualRecorderSettings.h"

#include <string>

namespace reclib {

enum class RecorderKind { Drive, Virtual, Image };

inline constexpr const char *ImageRecorderName = "Image Recorder";

// One recorder the library offers, in the form the device list and the
// open call need.
struct RecorderEntry
{
    RecorderKind kind = RecorderKind::Image;
    std::string name;
    std::string driveAddress;            // Drive: libburn's address ("/dev/sr0")
    VirtualRecorderSettings virtualSpec; // Virtual: its configuration
    uint32_t mediaSet = 0;
    SpeedBlock writeSpeeds{};

    // The key stored in DeviceInfo.libText that finds this recorder again.
    std::string key() const;

    DeviceInfo toDeviceInfo(int32_t index) const;
};

} // namespace reclib
