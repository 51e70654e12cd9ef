#pragma once

#include "reclib_api.h"

#include <cstdint>
#include <string>

namespace reclib {

// Reads a track's image through the slots of its interface: open, read
// whole blocks, close. Never owns the track.
class TrackReader
{
public:
    explicit TrackReader(IsoTrack *track) : m_track(track) {}
    ~TrackReader() { close(); }
    TrackReader(const TrackReader &) = delete;
    TrackReader &operator=(const TrackReader &) = delete;

    int64_t sizeInBlocks() const { return m_track->vtbl->sizeInBlocks(m_track); }
    bool open();
    void close();

    // Fills up to maxBlocks blocks; answers the number read, 0 at the end,
    // -1 on failure (then failure() says why).
    int64_t read(unsigned char *buffer, uint32_t maxBlocks);
    // One call of the track's read slot: what the track gives in one go,
    // which may be fewer blocks than asked before the end.
    int64_t readSome(unsigned char *buffer, uint32_t maxBlocks);
    std::string failure() const;

private:
    IsoTrack *m_track;
    bool m_open = false;
};

} // namespace reclib
