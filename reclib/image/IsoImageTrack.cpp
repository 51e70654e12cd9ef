#include "image/IsoImageTrack.h"

#include "image/ImageTrack.h"

#include <memory>
#include <new>

namespace {

// The C object handed out: the IsoTrack part (the table pointer) first, as
// the track interface requires, then the C++ track it forwards to.
struct ImageTrackObject : IsoTrack
{
    std::unique_ptr<image::ImageTrack> track;
};

image::ImageTrack &self(IsoTrack *t)
{
    return *static_cast<ImageTrackObject *>(t)->track;
}

const char *textOrNull(const std::string &text)
{
    return text.empty() ? nullptr : text.c_str();
}

void destroy(IsoTrack *t, int deleteFlag)
{
    auto *object = static_cast<ImageTrackObject *>(t);
    object->track.reset();
    if (deleteFlag)
        delete object;
}

int32_t blockSize(IsoTrack *)
{
    return SECTOR_SIZE;
}
int64_t sizeInBlocks(IsoTrack *t)
{
    return self(t).sizeInSectors();
}
int32_t openStream(IsoTrack *t)
{
    return self(t).openStream();
}
int32_t readBlocks(IsoTrack *t, void *buffer, uint32_t maxBlocks)
{
    return self(t).readBlocks(buffer, maxBlocks);
}
int32_t zero(IsoTrack *)
{
    return 0;
}
int32_t zeroWithArgument(IsoTrack *, void *)
{
    return 0;
}
void zeroTwo(IsoTrack *, uint32_t *a, uint32_t *b)
{
    if (a)
        *a = 0;
    if (b)
        *b = 0;
}
void closeStream(IsoTrack *t)
{
    self(t).closeStream();
}
const char *lastError(IsoTrack *t)
{
    return textOrNull(self(t).lastError());
}
uint32_t fsFlags(IsoTrack *t)
{
    return self(t).flags();
}
const char *volumeLabel(IsoTrack *t)
{
    return self(t).label().c_str();
}
int32_t reallocFailed(IsoTrack *t)
{
    return self(t).reallocationFailed() ? 1 : 0;
}
const char *placementWarning(IsoTrack *t)
{
    return textOrNull(self(t).placementWarning());
}
int32_t fileCount(IsoTrack *t)
{
    return self(t).fileCount();
}
int32_t isMode2(IsoTrack *t)
{
    return self(t).isMode2() ? 1 : 0;
}
const char *layoutError(IsoTrack *t)
{
    return textOrNull(self(t).layoutError());
}
void zeroEight(IsoTrack *, uint32_t *a, uint32_t *b, uint32_t *c, uint32_t *d, uint32_t *e, uint32_t *f,
               uint32_t *g, uint32_t *h)
{
    for (uint32_t *out : {a, b, c, d, e, f, g, h})
        if (out)
            *out = 0;
}

const IsoTrackVtbl kTable = {
    destroy,
    blockSize,
    sizeInBlocks,
    openStream,
    readBlocks,
    zero,
    zero,
    zeroWithArgument,
    zero,
    zeroTwo,
    closeStream,
    lastError,
    zero,
    zero,
    zero,
    zero,
    zero,
    zero,
    zero,
    zero,
    zero,
    fsFlags,
    volumeLabel,
    reallocFailed,
    placementWarning,
    fileCount,
    isMode2,
    layoutError,
    zero,
    zeroEight,
};

} // namespace

image::ImageTrack *imageTrackOf(IsoTrack *track)
{
    if (!track || track->vtbl != &kTable)
        return nullptr;
    return static_cast<ImageTrackObject *>(track)->track.get();
}

IsoTrack *CreateIsoImageTrack(IsoItem *root, const char *label, uint32_t flags,
                              std::function<bool()> stopRequested)
{
    if (!root)
        return nullptr;
    auto *object = new (std::nothrow) ImageTrackObject;
    if (!object)
        return nullptr;
    object->vtbl = &kTable;
    try {
        object->track = std::make_unique<image::ImageTrack>(root, label, flags, std::move(stopRequested));
    } catch (const std::bad_alloc &) {
        delete object;
        return nullptr;
    }
    return object;
}
