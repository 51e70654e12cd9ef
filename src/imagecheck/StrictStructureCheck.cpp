#include "StrictStructureCheck.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imagecheck {

uint16_t descriptorCrc(const uint8_t *data, size_t length)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < length; ++i) {
        for (int bit = 7; bit >= 0; --bit) {
            const bool in = (data[i] >> bit) & 1;
            const bool top = crc & 0x8000;
            crc = uint16_t(crc << 1);
            if (in != top)
                crc ^= 0x1021;
        }
    }
    return crc;
}

namespace strict {

ImageSectors::ImageSectors(const std::string &path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
{
    struct stat info
    {
    };
    if (!m_fd.valid() || ::fstat(m_fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        m_fd.reset();
        return;
    }
    m_sectors = uint64_t(info.st_size) / kSector;
}

std::vector<uint8_t> ImageSectors::read(uint64_t first, uint64_t count) const
{
    std::vector<uint8_t> out(size_t(count) * kSector, 0);
    size_t got = 0;
    while (m_fd.valid() && got < out.size()) {
        const ssize_t n =
            ::pread(m_fd.get(), out.data() + got, out.size() - got, off_t(first * kSector + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += size_t(n);
    }
    return out;
}

} // namespace strict

std::vector<std::string> strictStructureProblems(const std::string &path)
{
    std::vector<std::string> problems;
    const strict::ImageSectors image(path);
    if (!image.isOpen() || image.sectorCount() < 18)
        return {"the image " + path + " is missing or shorter than its volume descriptors"};
    bool udf = false;
    for (uint64_t s = 16; s < 64 && s < image.sectorCount(); ++s) {
        const auto d = image.read(s);
        if (std::string(reinterpret_cast<const char *>(&d[1]), 5) == "NSR02")
            udf = true;
    }
    const bool iso = strict::checkIso(image, problems);
    if (udf)
        strict::checkUdf(image, problems);
    if (!iso && !udf)
        problems.push_back("neither an ISO 9660 nor a UDF volume");
    return problems;
}

} // namespace imagecheck
