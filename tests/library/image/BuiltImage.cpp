#include "BuiltImage.h"

#include "image/IsoImageTrack.h"

namespace imagetest {

Built build(const IsoItemTree &tree, const std::string &label, uint32_t flags)
{
    Built b{
        TrackPtr(CreateIsoImageTrack(tree.root(), label.c_str(), flags)), tempDir("image") + "/disc.iso", {}};
    b.error = b.track ? writeImage(b.track.get(), b.image) : "no track";
    return b;
}

} // namespace imagetest
