#pragma once

#include "recorders/VirtualRecorderSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace reclib {

// The file in the library's folder that lists the virtual recorders.
inline constexpr std::string_view VirtualRecorderConfigName = "virtual-recorders.conf";

// Reads the virtual-recorder configuration: one "[recorder name]" section
// per recorder, in the order they are listed. Sections that cannot be used
// are left out; every problem is reported with its line.
struct VirtualRecorderConfig
{
    std::vector<VirtualRecorderSettings> recorders;
    std::vector<std::string> problems;

    static VirtualRecorderConfig parse(std::string_view text);
    // A missing file is an empty configuration, not a problem.
    static VirtualRecorderConfig load(const std::string &path);
};

} // namespace reclib
