#pragma once

#include <string>
#include <string_view>
#include <vector>

// A DVD-Video file of the VIDEO_TS folder, in the order players read them.
struct DvdVideoFile
{
    std::string name;            // as looked up; the lookup ignores letter case
    bool mandatory = false;      // a missing mandatory file stops the compilation
    bool startsTitleSet = false; // a title set's IFO: without it the set is skipped
};

// The lookup order: the video manager's IFO, VOB and BUP, then for each of
// the 99 title sets its IFO, VOB parts 0 to 9 and BUP.
const std::vector<DvdVideoFile> &DvdVideoLookupOrder();

// Whether a file name matches the jacket picture pattern J??___??.MP2, each
// question mark standing for one character (any letter case elsewhere).
bool IsJacketPictureName(std::string_view name);
