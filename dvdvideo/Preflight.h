#pragma once
// The DVD-Video preflight of a source folder: finds its VIDEO_TS folder,
// runs the folder checks and, when the video manager and at least one title
// set can be read, the playback walk.

#include "dvdvideo/FolderCheck.h"
#include "dvdvideo/LayerBreak.h"
#include "dvdvideo/PlaybackWalk.h"

#include <optional>
#include <string>
#include <vector>

namespace dvdvideo {

struct PreflightReport
{
    // False when the folder has no VIDEO_TS folder: nothing was checked.
    bool isDvdVideo = false;
    std::string videoTsPath;
    // The entries of VIDEO_TS, for the checks the caller adds.
    std::vector<FolderFile> videoTsFiles;
    Findings findings;
    // The layout the folder's IFOs describe, for the layer-break planner;
    // nothing when the video manager or every title set is unreadable.
    std::optional<LayerBreakInput> layout;
};

// sourceFolder is the folder a burn takes (the one holding VIDEO_TS).
// Thread-safe: it touches nothing but the files it reads.
PreflightReport RunPreflight(const std::string &sourceFolder, Reallocation reallocation,
                             WalkLimits limits = {});

// The entries of a folder without "." and ".."; links are followed to see
// what they name. Empty when the folder cannot be read.
std::vector<FolderFile> ListFolderFiles(const std::string &folder);

} // namespace dvdvideo
