#pragma once

#include <string>
#include <vector>

namespace reclib {

// One log line for each optical drive node (/dev/sr*) that exists but that
// the user may not read and write: libburn leaves such a drive out of its
// scan without a word. Asks the system about the nodes only; no drive is
// opened.
std::vector<std::string> unusableDriveNotes();

} // namespace reclib
