#pragma once

#include <cstdint>
#include <string>

namespace reclib {

// The names of the media families in a media set ("DVD-R/RW, DVD+R/RW"),
// joined by separator (", " when null).
std::string mediaTypeNames(uint32_t mediaSet, const char *separator);

// The text for a DLG_WAITCD wait reason, or empty for an unknown one.
std::string waitReasonText(int waitType);

} // namespace reclib
