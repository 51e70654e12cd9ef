#include "dvdvideo/IfoReader.h"

#include "sysio/ByteOrder.h"

#include <cstring>

namespace dvdvideo {
namespace {

using sysio::getBe16;
using sysio::getBe32;
using sysio::putBe32;

constexpr size_t kLastSector = 0x0C;
constexpr size_t kIfoLastSector = 0x1C;
constexpr size_t kTitleSetCount = 0x3E;
constexpr size_t kMenuVob = 0xC0;
constexpr size_t kTitleTable = 0xC4; // VMG: sector of the title search pointer table
constexpr size_t kTitleVob = 0xC4;   // VTS: start of the title VOB
constexpr size_t kHeaderBytes = 0x100;
constexpr size_t kTitleEntryBytes = 12;
constexpr size_t kTitleTableHeader = 8;
constexpr int kMaxTitles = 99;

bool hasMagic(std::span<const uint8_t> ifo, const char *magic)
{
    return ifo.size() >= kHeaderBytes && std::memcmp(ifo.data(), magic, 12) == 0;
}

// Where each title entry of the title search pointer table sits, or nothing
// when the table does not lie inside the buffer.
std::optional<std::vector<size_t>> titleEntries(std::span<const uint8_t> ifo)
{
    const uint64_t table = uint64_t(getBe32(&ifo[kTitleTable])) * 2048;
    if (table < kHeaderBytes || table + kTitleTableHeader > ifo.size())
        return std::nullopt;
    const int count = getBe16(&ifo[table]);
    if (count < 1 || count > kMaxTitles ||
        table + kTitleTableHeader + uint64_t(count) * kTitleEntryBytes > ifo.size())
        return std::nullopt;
    std::vector<size_t> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(size_t(table + kTitleTableHeader + size_t(i) * kTitleEntryBytes));
    return entries;
}

} // namespace

std::optional<VmgAddresses> IfoReader::readVmg(std::span<const uint8_t> ifo)
{
    if (!hasMagic(ifo, "DVDVIDEO-VMG"))
        return std::nullopt;
    VmgAddresses out;
    out.lastSector = getBe32(&ifo[kLastSector]);
    out.ifoLastSector = getBe32(&ifo[kIfoLastSector]);
    out.menuVobStart = getBe32(&ifo[kMenuVob]);
    out.titleSetCount = getBe16(&ifo[kTitleSetCount]);
    if (out.titleSetCount < 1 || out.titleSetCount > kMaxTitles)
        return std::nullopt;
    const auto entries = titleEntries(ifo);
    if (!entries)
        return std::nullopt;
    for (size_t at : *entries) {
        const int set = ifo[at + 6];
        const uint32_t start = getBe32(&ifo[at + 8]);
        if (set < 1 || set > out.titleSetCount)
            return std::nullopt;
        const auto [it, added] = out.titleSetStarts.emplace(set, start);
        if (!added && it->second != start)
            return std::nullopt;
    }
    return out;
}

std::optional<VtsAddresses> IfoReader::readVts(std::span<const uint8_t> ifo)
{
    if (!hasMagic(ifo, "DVDVIDEO-VTS"))
        return std::nullopt;
    VtsAddresses out;
    out.lastSector = getBe32(&ifo[kLastSector]);
    out.ifoLastSector = getBe32(&ifo[kIfoLastSector]);
    out.menuVobStart = getBe32(&ifo[kMenuVob]);
    out.titleVobStart = getBe32(&ifo[kTitleVob]);
    return out;
}

bool IfoReader::writeVmg(std::vector<uint8_t> &ifo, const VmgAddresses &addresses)
{
    if (!readVmg(ifo))
        return false;
    putBe32(&ifo[kLastSector], addresses.lastSector);
    putBe32(&ifo[kIfoLastSector], addresses.ifoLastSector);
    putBe32(&ifo[kMenuVob], addresses.menuVobStart);
    const auto entries = titleEntries(ifo);
    for (size_t at : *entries) {
        const auto found = addresses.titleSetStarts.find(ifo[at + 6]);
        if (found != addresses.titleSetStarts.end())
            putBe32(&ifo[at + 8], found->second);
    }
    return true;
}

bool IfoReader::writeVts(std::vector<uint8_t> &ifo, const VtsAddresses &addresses)
{
    if (!readVts(ifo))
        return false;
    putBe32(&ifo[kLastSector], addresses.lastSector);
    putBe32(&ifo[kIfoLastSector], addresses.ifoLastSector);
    putBe32(&ifo[kMenuVob], addresses.menuVobStart);
    putBe32(&ifo[kTitleVob], addresses.titleVobStart);
    return true;
}

} // namespace dvdvideo
