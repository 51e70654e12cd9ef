#pragma once
// Produces the image sector by sector from its segment list: serialised
// structures from memory, file data read from the sources straight into the
// caller's buffer, zeros in between. Only one source file is open at a time.

#include "image/ImageSegments.h"
#include "image/UniqueFd.h"

#include <cstdint>
#include <string>

namespace image {

class ImageStream {
public:
    ImageStream(const ImageSegments &segments, uint32_t totalSectors);

    // Starts again at sector 0.
    void open();
    // Fills up to maxSectors sectors; the number filled, 0 at the end of the
    // image, -1 when a source cannot be read or no longer has the size the
    // layout was computed with (error() says which).
    int32_t read(uint8_t *buffer, uint32_t maxSectors);
    void close();

    const std::string &error() const { return m_error; }
    uint32_t position() const { return m_sector; }

private:
    // Fills sectors of the current segment; -1 on failure.
    int64_t readSegment(const ImageSegment &segment, uint8_t *buffer, uint32_t sectors);
    int64_t readFile(const ImageSegment &segment, uint8_t *buffer, uint32_t sectors);
    bool openSource(const ImageSegment &segment);
    int32_t fail(std::string message);

    const ImageSegments &m_segments;
    uint32_t m_total;
    uint32_t m_sector = 0;
    size_t m_next = 0;     // first segment that does not end before m_sector
    UniqueFd m_source;     // file of segment m_next while it is being read
    std::string m_error;
    bool m_failed = false;
};

} // namespace image
