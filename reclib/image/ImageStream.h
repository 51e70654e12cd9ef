#pragma once
// Produces the image from its segment list, in order: serialised structures
// from memory, file data from the sources, zeros in between. The image goes
// either into a caller's buffer (read) or straight into a file descriptor
// (write), where the file data is copied by the kernel without passing
// through this process. Only one source file is open at a time.

#include "image/ImageSegments.h"
#include "sysio/UniqueFd.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace image {

class ImageStream
{
public:
    ImageStream(const ImageSegments &segments, uint32_t totalSectors);

    // Starts again at sector 0.
    void open();
    // Fills up to maxSectors sectors; the number filled, 0 at the end of the
    // image, -1 when a source cannot be read or is no longer the file the
    // layout was computed with: its stamp (device, inode, size, modification
    // and change time) differs when it is opened or when its last piece has
    // been read, or it is no longer a regular file (error() says which). A
    // call may fill fewer sectors than asked before the end: the pieces of a source file it
    // reads start and end on aligned offsets of that file where the budget
    // allows, which keeps the kernel's copies fast.
    int32_t read(uint8_t *buffer, uint32_t maxSectors);
    // Like read, but appends the sectors to fd at its current offset. Where
    // the kernel can copy between the two files (copy_file_range), file data
    // never enters user space; otherwise it goes through a bounded buffer.
    // -1 also when fd cannot be written.
    int32_t write(int fd, uint32_t maxSectors);
    void close();

    const std::string &error() const { return m_error; }
    uint32_t position() const { return m_sector; }

private:
    class MemorySink;
    class FileSink;
    template <typename Sink> int32_t produce(Sink &sink, uint32_t maxSectors);
    template <typename Sink>
    int64_t copyFile(Sink &sink, const ImageNode &file, uint64_t offset, size_t wanted, bool starts,
                     bool ends);
    // The file of the run segment that holds m_sector.
    const ImageNode &fileAt(const ImageSegment &segment);
    bool openSource(const ImageNode &file);
    int32_t fail(std::string message);
    // Fails with the line that names a source file that is no longer the
    // one the layout was computed for.
    int32_t changed(const ImageNode &file);
    // Fails with the line that names a source file that cannot be read.
    int32_t unreadable(const ImageNode &file, int error);
    // True while the open source has the stamp it had when the layout was
    // computed.
    bool sourceUnchanged(const ImageNode &file) const;

    const ImageSegments &m_segments;
    uint32_t m_total;
    uint32_t m_sector = 0;
    size_t m_next = 0;              // first segment that does not end before m_sector
    size_t m_runSegment = SIZE_MAX; // the run segment m_runFile counts in
    uint32_t m_runFile = 0;         // its file that holds m_sector
    sysio::UniqueFd m_source;       // that file while it is being read
    std::string m_error;
    bool m_failed = false;
    std::array<uint8_t, 2048> m_generated{}; // one sector of a generated range
};

} // namespace image
