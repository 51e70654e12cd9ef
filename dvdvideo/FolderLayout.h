#pragma once
// The layout a VIDEO_TS folder's own IFO files describe, for planning a
// layer break before any image exists: VIDEO_TS.IFO at sector 0, each title
// set where the video manager puts it, the whole running to the end of the
// last title set.

#include "dvdvideo/FolderCheck.h"
#include "dvdvideo/LayerBreak.h"

#include <optional>
#include <vector>

namespace dvdvideo {

// Nothing when VIDEO_TS.IFO cannot be read or names no set in sets.
std::optional<LayerBreakInput> FolderLayout(const FolderCheck &check, const std::vector<int> &sets,
                                            const FolderCheck::Loader &load);

} // namespace dvdvideo
