#include "PatternTrack.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<int> g_freed{0};

struct PatternTrack
{
    IsoTrack base; // first member: the library sees an IsoTrack
    PatternTrackOptions options;
    int64_t position = 0;
    bool open = false;
    std::string lastError;
};

PatternTrack *self(IsoTrack *track)
{
    return reinterpret_cast<PatternTrack *>(track);
}

unsigned char patternByte(int64_t sector, size_t offset)
{
    return static_cast<unsigned char>((sector * 7 + static_cast<int64_t>(offset / 16)) & 0xff);
}

void destroy(IsoTrack *track, int deleteFlag)
{
    if (deleteFlag != 0) {
        ++g_freed;
        delete self(track);
    }
}
int32_t blockSize(IsoTrack *)
{
    return SECTOR_SIZE;
}
int64_t sizeInBlocks(IsoTrack *track)
{
    return self(track)->options.sectors;
}
int32_t openStream(IsoTrack *track)
{
    self(track)->position = 0;
    self(track)->open = true;
    return 0;
}
int32_t readBlocks(IsoTrack *track, void *buffer, uint32_t maxBlocks)
{
    PatternTrack *t = self(track);
    auto *bytes = static_cast<unsigned char *>(buffer);
    uint32_t done = 0;
    while (done < maxBlocks && t->position < t->options.sectors) {
        if (t->position == t->options.failAtSector) {
            t->lastError = t->options.failureText;
            return done > 0 ? static_cast<int32_t>(done) : -1;
        }
        for (size_t i = 0; i < SECTOR_SIZE; ++i)
            bytes[static_cast<size_t>(done) * SECTOR_SIZE + i] = patternByte(t->position, i);
        ++done;
        ++t->position;
    }
    return static_cast<int32_t>(done);
}
int32_t zero(IsoTrack *)
{
    return 0;
}
int32_t zeroArg(IsoTrack *, void *)
{
    return 0;
}
void zeroPair(IsoTrack *, uint32_t *a, uint32_t *b)
{
    *a = *b = 0;
}
void closeStream(IsoTrack *track)
{
    self(track)->open = false;
}
const char *lastError(IsoTrack *track)
{
    return self(track)->lastError.empty() ? nullptr : self(track)->lastError.c_str();
}
uint32_t fsFlags(IsoTrack *)
{
    return ISO_TRACK_ISO9660 | ISO_TRACK_UDF;
}
const char *volumeLabel(IsoTrack *)
{
    return "PATTERN";
}
int32_t reallocFailed(IsoTrack *track)
{
    return self(track)->options.reallocFailed ? 1 : 0;
}
const char *noText(IsoTrack *)
{
    return nullptr;
}
int32_t fileCount(IsoTrack *)
{
    return 1;
}
int32_t isMode2(IsoTrack *track)
{
    return self(track)->options.mode2 ? 1 : 0;
}
const char *layoutError(IsoTrack *track)
{
    return self(track)->options.layoutError.empty() ? nullptr : self(track)->options.layoutError.c_str();
}
void zeroEight(IsoTrack *, uint32_t *a, uint32_t *b, uint32_t *c, uint32_t *d, uint32_t *e, uint32_t *f,
               uint32_t *g, uint32_t *h)
{
    *a = *b = *c = *d = *e = *f = *g = *h = 0;
}

const IsoTrackVtbl Slots = {
    destroy, blockSize, sizeInBlocks, openStream,  readBlocks, zero,      zero,        zeroArg,
    zero,    zeroPair,  closeStream,  lastError,   zero,       zero,      zero,        zero,
    zero,    zero,      zero,         zero,        zero,       fsFlags,   volumeLabel, reallocFailed,
    noText,  fileCount, isMode2,      layoutError, zero,       zeroEight,
};

} // namespace

IsoTrack *createPatternTrack(const PatternTrackOptions &options)
{
    auto *track = new PatternTrack;
    track->base.vtbl = &Slots;
    track->options = options;
    return &track->base;
}

std::vector<unsigned char> patternImage(int64_t sectors)
{
    std::vector<unsigned char> image(static_cast<size_t>(sectors) * SECTOR_SIZE);
    for (int64_t s = 0; s < sectors; ++s) {
        for (size_t i = 0; i < SECTOR_SIZE; ++i)
            image[static_cast<size_t>(s) * SECTOR_SIZE + i] = patternByte(s, i);
    }
    return image;
}

int patternTracksFreed()
{
    return g_freed.load();
}

IsoTrack *patternTrack(int64_t sectors)
{
    PatternTrackOptions options;
    options.sectors = sectors;
    return createPatternTrack(options);
}
