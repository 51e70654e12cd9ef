#include "burn/TrackReader.h"

namespace reclib {

bool TrackReader::open()
{
    close();
    m_open = m_track->vtbl->openStream(m_track) == 0;
    return m_open;
}

void TrackReader::close()
{
    if (m_open)
        m_track->vtbl->closeStream(m_track);
    m_open = false;
}

int64_t TrackReader::read(unsigned char *buffer, uint32_t maxBlocks)
{
    uint32_t done = 0;
    while (done < maxBlocks) {
        const int32_t got = m_track->vtbl->readBlocks(
            m_track, buffer + static_cast<size_t>(done) * SECTOR_SIZE, maxBlocks - done);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<uint32_t>(got);
    }
    return done;
}

int64_t TrackReader::readSome(unsigned char *buffer, uint32_t maxBlocks)
{
    return m_track->vtbl->readBlocks(m_track, buffer, maxBlocks);
}

std::string TrackReader::failure() const
{
    const char *text = m_track->vtbl->lastError(m_track);
    return text != nullptr && *text != '\0' ? std::string(text) : std::string("the image could not be read");
}

} // namespace reclib
