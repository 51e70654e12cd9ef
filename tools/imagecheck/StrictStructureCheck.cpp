#include "StrictStructureCheck.h"

#include <fstream>

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

ImageSectors::ImageSectors(const std::string &path) : m_path(path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    m_open = bool(in);
    if (m_open)
        m_sectors = uint64_t(in.tellg()) / 2048;
}

std::vector<uint8_t> ImageSectors::read(uint64_t first, uint64_t count) const
{
    std::vector<uint8_t> out(size_t(count) * 2048, 0);
    std::ifstream in(m_path, std::ios::binary);
    in.seekg(std::streamoff(first * 2048));
    in.read(reinterpret_cast<char *>(out.data()), std::streamsize(out.size()));
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
