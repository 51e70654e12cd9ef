#pragma once
// Building blocks of UDF 1.02 descriptors (ECMA-167 with the OSTA
// restrictions): tags, character set specs, d-strings, entity identifiers
// and OSTA CS0 names.

#include "image/ImageTime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace image::udf {

// Descriptor tag identifiers.
enum Tag : uint16_t {
    PrimaryVolume = 1,
    AnchorPointer = 2,
    ImplementationUseVolume = 4,
    Partition = 5,
    LogicalVolume = 6,
    UnallocatedSpace = 7,
    Terminating = 8,
    LogicalVolumeIntegrity = 9,
    FileSet = 256,
    FileIdentifier = 257,
    FileEntry = 261,
};

// CRC-CCITT (polynomial 0x1021, initial 0, no reflection) as descriptor tags use.
uint16_t crc16(const uint8_t *data, size_t length);

// Fills the 16-byte tag at the start of a descriptor of totalLength bytes:
// identifier, version 2, serial 0, CRC over the bytes after the tag, the
// location (a sector, or a block inside the partition) and the checksum.
void finishTag(uint8_t *descriptor, Tag id, size_t totalLength, uint32_t location);

// "OSTA Compressed Unicode" character set spec (64 bytes).
void putCharSpec(uint8_t *at);

// Entity identifier (32 bytes) with the UDF revision 1.02 in its suffix.
enum class RegidKind { Domain, UdfIdentifier, Implementation };
void putRegid(uint8_t *at, std::string_view identifier, RegidKind kind);

void putTimestamp(uint8_t *at, const ImageTime &time);

// A name in OSTA CS0: compression 8 when every character fits in 8 bits,
// else 16 (UCS-2 big-endian). At most maxBytes bytes, cut at a character.
std::vector<uint8_t> encodeCs0(std::string_view utf8, size_t maxBytes);

// A d-string field of width bytes: the CS0 text and, in the last byte, the
// number of bytes used. An empty text leaves the field zero.
void putDString(uint8_t *at, size_t width, std::string_view utf8);

} // namespace image::udf
