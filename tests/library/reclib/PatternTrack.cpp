#include "PatternTrack.h"

#include <atomic>

namespace {

std::atomic<int> g_freed{0};

struct PatternTrack
{
    IsoTrack base; // first member: the library sees an IsoTrack
    PatternTrackOptions options;
    int64_t position = 0;
    std::string lastError;
};

PatternTrack &self(IsoTrack *track)
{
    return *reinterpret_cast<PatternTrack *>(track);
}

uint8_t patternByte(int64_t sector, size_t offset)
{
    return static_cast<uint8_t>((sector * 7 + static_cast<int64_t>(offset / 16)) & 0xff);
}

const char *orNull(const std::string &text)
{
    return text.empty() ? nullptr : text.c_str();
}

// The slots the library calls; the reserved ones it never calls stay empty.
IsoTrackVtbl makeSlots()
{
    IsoTrackVtbl slots{};
    slots.destroy = [](IsoTrack *track, int deleteFlag) {
        if (deleteFlag != 0) {
            ++g_freed;
            delete &self(track);
        }
    };
    slots.blockSize = [](IsoTrack *) -> int32_t { return SECTOR_SIZE; };
    slots.sizeInBlocks = [](IsoTrack *track) { return self(track).options.sectors; };
    slots.openStream = [](IsoTrack *track) -> int32_t {
        self(track).position = 0;
        return 0;
    };
    slots.readBlocks = [](IsoTrack *track, void *buffer, uint32_t maxBlocks) -> int32_t {
        PatternTrack &t = self(track);
        auto *bytes = static_cast<uint8_t *>(buffer);
        int32_t done = 0;
        for (; static_cast<uint32_t>(done) < maxBlocks && t.position < t.options.sectors;
             ++done, ++t.position) {
            if (t.position == t.options.failAtSector) {
                t.lastError = t.options.failureText;
                return done > 0 ? done : -1;
            }
            for (size_t i = 0; i < SECTOR_SIZE; ++i)
                *bytes++ = patternByte(t.position, i);
        }
        return done;
    };
    slots.closeStream = [](IsoTrack *) {};
    slots.lastError = [](IsoTrack *track) { return orNull(self(track).lastError); };
    slots.fsFlags = [](IsoTrack *) -> uint32_t { return ISO_TRACK_ISO9660 | ISO_TRACK_UDF; };
    slots.volumeLabel = [](IsoTrack *) { return "PATTERN"; };
    slots.reallocFailed = [](IsoTrack *track) -> int32_t {
        return self(track).options.reallocFailed ? 1 : 0;
    };
    slots.placementWarning = [](IsoTrack *) -> const char * { return nullptr; };
    slots.fileCount = [](IsoTrack *) -> int32_t { return 1; };
    slots.isMode2 = [](IsoTrack *track) -> int32_t { return self(track).options.mode2 ? 1 : 0; };
    slots.layoutError = [](IsoTrack *track) { return orNull(self(track).options.layoutError); };
    return slots;
}

const IsoTrackVtbl Slots = makeSlots();

} // namespace

IsoTrack *createPatternTrack(const PatternTrackOptions &options)
{
    auto *track = new PatternTrack{{&Slots}, options, 0, {}};
    return &track->base;
}

std::vector<uint8_t> patternImage(int64_t sectors)
{
    std::vector<uint8_t> image;
    for (int64_t s = 0; s < sectors; ++s) {
        for (size_t i = 0; i < SECTOR_SIZE; ++i)
            image.push_back(patternByte(s, i));
    }
    return image;
}

int patternTracksFreed()
{
    return g_freed.load();
}
