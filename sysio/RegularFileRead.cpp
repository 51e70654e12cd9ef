#include "sysio/RegularFileRead.h"

#include "sysio/UniqueFd.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sysio {
namespace {

// Appends the file's bytes until its end or until more than maxBytes were
// read; false on a read error.
bool readBounded(int fd, uint64_t maxBytes, std::vector<uint8_t> &bytes)
{
    uint8_t chunk[65536];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> readRegularFile(const std::string &path, uint64_t maxBytes)
{
    if (path.empty())
        return std::nullopt;
    // Non-blocking, so that opening a FIFO does not wait for a writer; the
    // type is checked on the opened descriptor, not on the name, so a name
    // swapped in between cannot slip past.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info
    {
    };
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<uint64_t>(info.st_size) > maxBytes)
        return std::nullopt;
    // A file that grew past the bound since fstat is refused as well.
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(info.st_size) + 1);
    if (!readBounded(fd.get(), maxBytes, bytes) || bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}

} // namespace sysio
