#pragma once
// Reads and corrects the sector addresses a DVD-Video IFO (or its BUP copy)
// holds: in VIDEO_TS.IFO the set's last sector, the IFO's last sector, the
// menu VOB start and, in the title search pointer table, every title's title
// set start; in VTS_nn_0.IFO the set's and the IFO's last sector and the
// menu and title VOB starts. All are big-endian sector numbers relative to
// the first sector of the IFO (of VIDEO_TS.IFO for title set starts).
//
// Input is untrusted: every offset is checked against the buffer.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace dvdvideo {

// The size of a DVD sector, the unit of every address in the IFO files.
inline constexpr uint32_t kSectorBytes = 2048;

struct VmgAddresses
{
    uint32_t lastSector = 0; // of the whole VMG set (IFO, VOB, BUP)
    uint32_t ifoLastSector = 0;
    uint32_t menuVobStart = 0; // 0: no menu VOB
    uint16_t titleSetCount = 0;
    // Title set number -> start sector; every title of one set must agree.
    std::map<int, uint32_t> titleSetStarts;
};

struct VtsAddresses
{
    uint32_t lastSector = 0;
    uint32_t ifoLastSector = 0;
    uint32_t menuVobStart = 0;  // 0: no menu VOB
    uint32_t titleVobStart = 0; // 0: no title VOB
};

class IfoReader
{
public:
    // Limit on the IFO size anyone reads; real IFO files are far smaller.
    static constexpr uint64_t kMaxIfoBytes = 16u << 20;

    static std::optional<VmgAddresses> readVmg(std::span<const uint8_t> ifo);
    static std::optional<VtsAddresses> readVts(std::span<const uint8_t> ifo);

    // Write the addresses into an IFO or BUP copy that readVmg / readVts
    // accepted. Titles whose set is missing from titleSetStarts keep their
    // value. Return false (and leave ifo unchanged) when the copy is not one
    // the reader accepts.
    static bool writeVmg(std::vector<uint8_t> &ifo, const VmgAddresses &addresses);
    static bool writeVts(std::vector<uint8_t> &ifo, const VtsAddresses &addresses);
};

} // namespace dvdvideo
