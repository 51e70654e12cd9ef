#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace reclib {

// The kinds of disc a recorder can hold. None means an empty tray.
enum class MediumKind {
    None,
    CdR,
    CdRw,
    DvdMinusR,
    DvdMinusRw,
    DvdPlusR,
    DvdPlusRw,
    DvdPlusRDl,
    DvdMinusRDl
};

// What the library knows about each kind: its name in configuration and
// state files, the bits it reports, its size and its 1x rate.
struct MediumTraits
{
    std::string_view name;      // "DVD+RW", ...
    uint32_t family;            // the media-set bit of the recorders that write it
    uint32_t discInfoMediaType; // media type as the disc information reports it
    int32_t discInfoMediumType; // medium type field of the disc information
    bool rewritable;
    bool canRecordBookType;  // DVD+R family: the DVD-ROM book type can be set
    int64_t capacitySectors; // 2048-byte sectors of a blank disc
    // The largest layer 0 of a dual-layer disc; 0 for a single layer.
    int64_t layer0LimitSectors = 0;
};

const MediumTraits &traitsOf(MediumKind kind);
std::optional<MediumKind> mediumKindFromName(std::string_view name);

// Media-set bits of every writer that writes this kind of disc.
bool isDvd(MediumKind kind);

} // namespace reclib
