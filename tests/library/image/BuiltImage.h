#pragma once
// Tracks of the image builder linked into the test, written to files.

#include "ImageTestSupport.h"
#include "IsoItemTree.h"

namespace imagetest {

// A track of tree written through its slots to a fresh file.
struct Built
{
    TrackPtr track;
    std::string image;
    std::string error; // of writeImage
};
Built build(const IsoItemTree &tree, const std::string &label, uint32_t flags);

} // namespace imagetest
