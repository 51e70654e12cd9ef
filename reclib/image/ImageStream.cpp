#include "image/ImageStream.h"

#include "image/ByteOrder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace image {

ImageStream::ImageStream(const ImageSegments &segments, uint32_t totalSectors)
    : m_segments(segments), m_total(totalSectors)
{
}

void ImageStream::open()
{
    close();
    m_sector = 0;
    m_next = 0;
    m_error.clear();
    m_failed = false;
}

void ImageStream::close()
{
    m_source.reset();
}

int32_t ImageStream::fail(std::string message)
{
    m_error = std::move(message);
    m_failed = true;
    m_source.reset();
    return -1;
}

int32_t ImageStream::read(uint8_t *buffer, uint32_t maxSectors)
{
    if (m_failed)
        return -1;
    const auto &segments = m_segments.segments();
    uint32_t filled = 0;
    while (filled < maxSectors && m_sector < m_total) {
        uint8_t *at = buffer + size_t(filled) * kSectorSize;
        const uint32_t room = std::min(maxSectors - filled, m_total - m_sector);
        while (m_next < segments.size() && segments[m_next].start + segments[m_next].sectors <= m_sector)
            ++m_next;
        int64_t done;
        if (m_next == segments.size() || segments[m_next].start > m_sector) {
            const uint32_t gapEnd = m_next == segments.size() ? m_total : segments[m_next].start;
            done = std::min(room, gapEnd - m_sector);
            std::memset(at, 0, size_t(done) * kSectorSize);
        } else {
            const ImageSegment &segment = segments[m_next];
            done = readSegment(segment, at, std::min(room, segment.start + segment.sectors - m_sector));
            if (done < 0)
                return -1;
        }
        filled += uint32_t(done);
        m_sector += uint32_t(done);
    }
    return int32_t(filled);
}

int64_t ImageStream::readSegment(const ImageSegment &segment, uint8_t *buffer, uint32_t sectors)
{
    if (segment.fromFile)
        return readFile(segment, buffer, sectors);
    const size_t offset = size_t(m_sector - segment.start) * kSectorSize;
    const size_t wanted = size_t(sectors) * kSectorSize;
    const size_t available = offset < segment.bytes.size() ? std::min(wanted, segment.bytes.size() - offset) : 0;
    std::memcpy(buffer, segment.bytes.data() + offset, available);
    std::memset(buffer + available, 0, wanted - available);
    return sectors;
}

bool ImageStream::openSource(const ImageSegment &segment)
{
    m_source.reset(::open(segment.path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!m_source.valid()) {
        fail("Required file \"" + segment.path + "\" cannot be read: " + std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(m_source.get(), &info) != 0 || uint64_t(info.st_size) != segment.fileSize) {
        fail("Source file \"" + segment.path + "\" changed size since the image layout was computed (" +
             std::to_string(segment.fileSize) + " bytes expected, " + std::to_string(info.st_size) + " found)");
        return false;
    }
    ::posix_fadvise(m_source.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

int64_t ImageStream::readFile(const ImageSegment &segment, uint8_t *buffer, uint32_t sectors)
{
    if (m_sector == segment.start || !m_source.valid())
        if (!openSource(segment))
            return -1;
    const uint64_t offset = uint64_t(m_sector - segment.start) * kSectorSize;
    const size_t wanted = size_t(sectors) * kSectorSize;
    const size_t expected = size_t(std::min<uint64_t>(wanted, segment.fileSize - offset));
    size_t got = 0;
    while (got < expected) {
        const ssize_t n = ::pread(m_source.get(), buffer + got, expected - got, off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail("Required file \"" + segment.path + "\" cannot be read: " + std::strerror(errno));
        if (n == 0)
            return fail("Source file \"" + segment.path + "\" changed size since the image layout was computed (" +
                        "it ended after " + std::to_string(offset + got) + " of " +
                        std::to_string(segment.fileSize) + " bytes)");
        got += size_t(n);
    }
    std::memset(buffer + got, 0, wanted - got);
    if (m_sector + sectors == segment.start + segment.sectors)
        m_source.reset();
    return sectors;
}

} // namespace image
