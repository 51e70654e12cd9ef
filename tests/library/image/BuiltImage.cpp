#include "BuiltImage.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

namespace imagetest {

std::string writeDirect(IsoTrack *track, int fd, uint32_t step)
{
    image::ImageTrack *builder = imageTrackOf(track);
    if (builder == nullptr)
        return "not an image track";
    if (builder->openStream() != 0)
        return builder->lastError();
    int32_t n;
    while ((n = builder->writeBlocks(fd, step)) > 0) {
    }
    builder->closeStream();
    return n < 0 ? builder->lastError() : "";
}

Built build(const IsoItemTree &tree, const std::string &label, uint32_t flags)
{
    Built b{
        TrackPtr(CreateIsoImageTrack(tree.root(), label.c_str(), flags)), tempDir("image") + "/disc.iso", {}};
    b.error = b.track ? writeImage(b.track.get(), b.image) : "no track";
    return b;
}

} // namespace imagetest
