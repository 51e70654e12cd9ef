#include "ImageChecksum.h"

#include "sysio/Sha256.h"
#include "sysio/UniqueFd.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imagecheck {

std::optional<std::string> fileSha256(const std::string &path)
{
    const sysio::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info
    {
    };
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    sysio::Sha256 sha;
    std::vector<unsigned char> chunk(1 << 20);
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return sha.hex();
        sha.add(chunk.data(), size_t(n));
    }
}

} // namespace imagecheck
