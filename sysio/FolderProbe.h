#pragma once

#include <string>

namespace sysio {

// Whether a new file can be created in the folder, found out by creating
// (and removing) one: the mode bits do not say what root may do. 0, or the
// errno of the failed creation.
int fileCreationError(const std::string &folder);

} // namespace sysio
