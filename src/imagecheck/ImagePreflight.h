#pragma once
// The DVD-Video check of an image file, the same as a folder's: the files of
// the image's VIDEO_TS folder (as libudfread lists them) and their IFO
// addresses go through the folder checks, and libdvdread, which opens an
// image as a player's disc, walks the playback. No reallocation: the image
// is burned as it is. Besides, the files are checked to start where the
// image's own IFOs place them.

#include "dvdvideo/Preflight.h"

#include <string>

namespace imagecheck {

// isDvdVideo is false when the image has no VIDEO_TS folder (or no UDF
// volume to find one in). Opens only a regular file.
dvdvideo::PreflightReport RunImagePreflight(const std::string &image, dvdvideo::WalkLimits limits = {});

} // namespace imagecheck
