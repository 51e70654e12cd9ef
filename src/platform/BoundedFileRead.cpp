#include "platform/BoundedFileRead.h"

#include "platform/UniqueFd.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Appends the file's bytes until its end or until more than maxBytes were
// read; false on a read error.
bool ReadBounded(int fd, qint64 maxBytes, QByteArray &bytes)
{
    char chunk[65536];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(chunk, got);
    }
    return true;
}

} // namespace

std::optional<QByteArray> ReadRegularFile(const QString &path, qint64 maxBytes)
{
    if (path.isEmpty() || maxBytes < 0)
        return std::nullopt;
    // Non-blocking, so that opening a FIFO does not wait for a writer; the
    // type is checked on the opened descriptor, not on the name, so a name
    // swapped in between cannot slip past.
    const UniqueFd fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info
    {
    };
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return std::nullopt;
    // A file that grew past the bound since fstat is refused as well.
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(info.st_size) + 1);
    if (!ReadBounded(fd.get(), maxBytes, bytes) || bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}
