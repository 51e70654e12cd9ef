#pragma once
// A strict reader of our own for the structures of a written image, written
// from the standards rather than from the builder: every UDF descriptor tag
// (identifier, version, checksum, CRC, location), the anchors and both
// volume descriptor sequences, the integrity sequence, the file set and the
// whole UDF file tree; for the ISO 9660 primary and the Joliet volume the
// directory tree (".", "..", both-endian fields, records within sectors, at
// most eight levels) and both path tables (L and M) against that tree.
//
// The readers the other tests use forgive a great deal (a wrong CRC, a path
// table pointing elsewhere); this one names every such fault.

#include "sysio/UniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace imagecheck {

// One line per fault found; empty for a sound image (or a file that holds
// neither file system, which is reported as one fault).
std::vector<std::string> strictStructureProblems(const std::string &image);

// The descriptor CRC of ECMA-167 (polynomial 0x1021, initial 0, no
// reflection, no final XOR), computed bit by bit.
uint16_t descriptorCrc(const uint8_t *data, size_t length);

namespace strict {

inline constexpr uint32_t kSector = 2048;

// Sector access and little helpers the two halves of the check share.
class ImageSectors
{
public:
    // Opened without waiting (a FIFO, a device): only a regular file counts
    // as open.
    explicit ImageSectors(const std::string &path);
    bool isOpen() const { return m_fd.valid(); }
    uint64_t sectorCount() const { return m_sectors; }
    // count sectors from first; short (zero-filled) past the end of the file.
    std::vector<uint8_t> read(uint64_t first, uint64_t count = 1) const;

private:
    sysio::UniqueFd m_fd;
    uint64_t m_sectors = 0;
};

inline uint32_t le32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint32_t be32(const uint8_t *p)
{
    return uint32_t(p[3]) | uint32_t(p[2]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 24;
}
inline uint16_t le16(const uint8_t *p)
{
    return uint16_t(p[0] | p[1] << 8);
}
inline uint16_t be16(const uint8_t *p)
{
    return uint16_t(p[0] << 8 | p[1]);
}

// A problem's text from its pieces (numbers as decimals).
template <typename... Pieces> std::string says(const Pieces &...pieces)
{
    std::ostringstream out;
    (out << ... << pieces);
    return out.str();
}

void checkUdf(const ImageSectors &image, std::vector<std::string> &problems);
// Returns false when the image holds no ISO 9660 volume descriptor set.
bool checkIso(const ImageSectors &image, std::vector<std::string> &problems);

} // namespace strict
} // namespace imagecheck
