#include "image/ImageStream.h"

#include "image/ByteOrder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace image {

// Where read() puts the image: the caller's buffer, filled front to back.
class ImageStream::MemorySink
{
public:
    explicit MemorySink(uint8_t *at) : m_at(at) {}

    bool zeros(size_t bytes)
    {
        std::memset(m_at, 0, bytes);
        m_at += bytes;
        return true;
    }
    bool bytes(const uint8_t *data, size_t bytes)
    {
        std::memcpy(m_at, data, bytes);
        m_at += bytes;
        return true;
    }
    // Up to bytes bytes of source at offset; 0 at its end, -1 with errno.
    int64_t file(int source, uint64_t offset, size_t bytes)
    {
        ssize_t n;
        do
            n = ::pread(source, m_at, bytes, off_t(offset));
        while (n < 0 && errno == EINTR);
        if (n > 0)
            m_at += n;
        return n;
    }
    bool writeFailed() const { return false; }
    const std::string &error() const { return m_error; }

    // Where a call's sector budget ends inside a source file, the piece read
    // ends on a multiple of this in the source, and the call returns short
    // rather than start a file with a piece that ends anywhere else. Reads
    // that begin 16 or 48 KiB past such a boundary made streaming a 3.5 GB
    // image two to three times slower on the benchmark machine.
    static constexpr uint64_t kSourceCutAlignment = 128 * 1024;

private:
    uint8_t *m_at;
    std::string m_error;
};

// Where write() puts the image: a file descriptor, appended to.
class ImageStream::FileSink
{
public:
    explicit FileSink(int fd) : m_fd(fd) {}

    bool zeros(size_t bytes)
    {
        static const uint8_t zero[64 * 1024] = {};
        while (bytes > 0) {
            const size_t piece = std::min(bytes, sizeof zero);
            if (!put(zero, piece))
                return false;
            bytes -= piece;
        }
        return true;
    }
    bool bytes(const uint8_t *data, size_t bytes) { return put(data, bytes); }
    int64_t file(int source, uint64_t offset, size_t bytes)
    {
        if (s_kernelCopy) {
            off_t from = off_t(offset);
            ssize_t n;
            do
                n = ::copy_file_range(source, &from, m_fd, nullptr, bytes, 0);
            while (n < 0 && errno == EINTR);
            if (n >= 0)
                return n;
            // Not between these two files (another file system, a pipe, an
            // old kernel): copy through memory from now on. Any other error
            // is left to the plain copy, which tells which side failed.
            if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF)
                s_kernelCopy = false;
        }
        return copyThroughMemory(source, offset, bytes);
    }
    bool writeFailed() const { return !m_error.empty(); }
    const std::string &error() const { return m_error; }

    // As for a buffer, with a larger step for the larger budgets of a direct
    // write: a kernel copy started 16 KiB past such a boundary made a
    // 3.5 GB image take two to four times as long.
    static constexpr uint64_t kSourceCutAlignment = 1024 * 1024;

private:
    static constexpr size_t kBounceBytes = 1024 * 1024;

    int64_t copyThroughMemory(int source, uint64_t offset, size_t bytes)
    {
        if (!m_bounce)
            m_bounce = std::make_unique<uint8_t[]>(kBounceBytes);
        ssize_t n;
        do
            n = ::pread(source, m_bounce.get(), std::min(bytes, kBounceBytes), off_t(offset));
        while (n < 0 && errno == EINTR);
        if (n > 0 && !put(m_bounce.get(), size_t(n)))
            return -1;
        return n;
    }
    bool put(const uint8_t *data, size_t bytes)
    {
        while (bytes > 0) {
            const ssize_t n = ::write(m_fd, data, bytes);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                m_error =
                    std::string("The image cannot be written: ") + std::strerror(n < 0 ? errno : ENOSPC);
                return false;
            }
            data += n;
            bytes -= size_t(n);
        }
        return true;
    }

    // Per process: once the kernel refused, asking again for every piece
    // only costs a system call.
    static inline bool s_kernelCopy = true;
    int m_fd;
    std::unique_ptr<uint8_t[]> m_bounce;
    std::string m_error;
};

ImageStream::ImageStream(const ImageSegments &segments, uint32_t totalSectors)
    : m_segments(segments), m_total(totalSectors)
{
}

void ImageStream::open()
{
    close();
    m_sector = 0;
    m_next = 0;
    m_runSegment = SIZE_MAX;
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

int32_t ImageStream::changed(const ImageNode &file)
{
    return fail("A source file changed while it was being burned: " + file.sourcePath());
}

int32_t ImageStream::unreadable(const ImageNode &file, int error)
{
    return fail("Required file \"" + file.sourcePath() + "\" cannot be read: " + std::strerror(error));
}

bool ImageStream::sourceUnchanged(const ImageNode &file) const
{
    struct stat info
    {
    };
    if (::fstat(m_source.get(), &info) != 0)
        return false;
    return dvdvideo::StampOf(info) == file.stamp();
}

int32_t ImageStream::read(uint8_t *buffer, uint32_t maxSectors)
{
    MemorySink sink(buffer);
    return produce(sink, maxSectors);
}

int32_t ImageStream::write(int fd, uint32_t maxSectors)
{
    FileSink sink(fd);
    return produce(sink, maxSectors);
}

template <typename Sink> int32_t ImageStream::produce(Sink &sink, uint32_t maxSectors)
{
    if (m_failed)
        return -1;
    const auto &segments = m_segments.segments();
    uint32_t filled = 0;
    while (filled < maxSectors && m_sector < m_total) {
        const uint32_t room = std::min(maxSectors - filled, m_total - m_sector);
        while (m_next < segments.size() && segments[m_next].start + segments[m_next].sectors <= m_sector)
            ++m_next;
        uint32_t done;
        if (m_next == segments.size() || segments[m_next].start > m_sector) {
            const uint32_t gapEnd = m_next == segments.size() ? m_total : segments[m_next].start;
            done = std::min(room, gapEnd - m_sector);
            if (!sink.zeros(size_t(done) * kSectorSize))
                return fail(sink.error());
        } else {
            const ImageSegment &segment = segments[m_next];
            // A run of files is read one file at a time.
            const ImageNode *file = segment.files ? &fileAt(segment) : nullptr;
            const uint32_t pieceStart = file ? file->dataSector : segment.start;
            const uint32_t pieceEnd =
                file ? pieceStart + sectorsFor(file->size) : segment.start + segment.sectors;
            done = std::min(room, pieceEnd - m_sector);
            const uint64_t offset = uint64_t(m_sector - pieceStart) * kSectorSize;
            if (file && done < pieceEnd - m_sector) {
                const uint64_t alignedEnd = (offset + uint64_t(done) * kSectorSize) /
                                            Sink::kSourceCutAlignment * Sink::kSourceCutAlignment;
                if (alignedEnd > offset)
                    done = uint32_t((alignedEnd - offset) / kSectorSize);
                else if (filled > 0)
                    break; // the next call starts this file's piece with a whole budget
            }
            const size_t wanted = size_t(done) * kSectorSize;
            size_t content = 0;
            if (file) {
                const int64_t copied = copyFile(sink, *file, offset, wanted, m_sector == pieceStart,
                                                m_sector + done == pieceEnd);
                if (copied < 0)
                    return -1;
                content = size_t(copied);
            } else if (segment.generator) {
                for (uint32_t i = 0; i < done; ++i) {
                    segment.generator->fill(m_sector - segment.start + i, m_generated.data());
                    if (!sink.bytes(m_generated.data(), kSectorSize))
                        return fail(sink.error());
                }
                content = wanted;
            } else if (offset < segment.bytes->size()) {
                content = std::min(wanted, segment.bytes->size() - size_t(offset));
                if (!sink.bytes(segment.bytes->data() + offset, content))
                    return fail(sink.error());
            }
            if (!sink.zeros(wanted - content))
                return fail(sink.error());
        }
        filled += done;
        m_sector += done;
    }
    return int32_t(filled);
}

template <typename Sink>
int64_t ImageStream::copyFile(Sink &sink, const ImageNode &file, uint64_t offset, size_t wanted, bool starts,
                              bool ends)
{
    if ((starts || !m_source.valid()) && !openSource(file))
        return -1;
    const size_t content = size_t(std::min<uint64_t>(wanted, file.size - offset));
    for (size_t got = 0; got < content;) {
        const int64_t n = sink.file(m_source.get(), offset + got, content - got);
        if (n < 0 && sink.writeFailed())
            return fail(sink.error());
        if (n < 0)
            return unreadable(file, errno);
        if (n == 0)
            return changed(file);
        got += size_t(n);
    }
    if (ends) {
        // Its data is all read: what was taken must still be the file the
        // layout was made for, or the disc would hold a mix of two
        // versions, or a grown file cut short.
        if (!sourceUnchanged(file))
            return changed(file);
        m_source.reset();
    }
    return int64_t(content);
}

const ImageNode &ImageStream::fileAt(const ImageSegment &segment)
{
    if (m_runSegment != m_next) {
        m_runSegment = m_next;
        m_runFile = 0;
    }
    const auto past = [&](const ImageNode &node) {
        return node.isDirectory || node.size == 0 || m_sector >= node.dataSector + sectorsFor(node.size);
    };
    while (m_runFile + 1 < segment.fileCount && past(segment.files[m_runFile]))
        ++m_runFile;
    return segment.files[m_runFile];
}

bool ImageStream::openSource(const ImageNode &file)
{
    // Opened as when the layout was made: a source replaced by a FIFO or a
    // device since then must not hold the burn.
    dvdvideo::SourceFile source = dvdvideo::SourceFile::Open(file.sourcePath());
    if (source.refusal() == dvdvideo::SourceRefusal::Unreadable) {
        unreadable(file, source.error());
        return false;
    }
    if (!source.usable() || source.stamp() != file.stamp()) {
        changed(file);
        return false;
    }
    m_source.reset(source.release());
    ::posix_fadvise(m_source.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

} // namespace image
