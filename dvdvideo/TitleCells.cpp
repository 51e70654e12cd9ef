#include "dvdvideo/TitleCells.h"

#include "dvdvideo/IfoReader.h"
#include "sysio/ByteOrder.h"

#include <cstring>
#include <map>
#include <set>
#include <utility>

namespace dvdvideo {
namespace {

using sysio::getBe16;
using sysio::getBe32;
constexpr size_t kIfoHeaderBytes = 0x100;
constexpr size_t kVmgTitleTable = 0xC4; // VMG: title search pointer table (sector)
constexpr size_t kChapterTable = 0xC8;  // VTS: the titles' chapter table (sector)
constexpr size_t kChainTable = 0xCC;    // VTS: the titles' program chains (sector)
constexpr size_t kCellTable = 0xE0;     // VTS: the cell address table (sector)
constexpr size_t kTableHeaderBytes = 8;
constexpr size_t kTitleSearchBytes = 12;
constexpr size_t kCellPlaybackBytes = 24;
constexpr size_t kCellAddressBytes = 12;
constexpr int kMostTitles = 99;
constexpr size_t kMostChapters = 999;

// Bounds-checked reads of the untrusted buffer.
class Bytes
{
public:
    explicit Bytes(std::span<const uint8_t> data) : m_data(data) {}
    bool has(uint64_t at, uint64_t n) const { return at <= m_data.size() && n <= m_data.size() - at; }
    uint8_t u8(uint64_t at) const { return m_data[at]; }
    uint16_t u16(uint64_t at) const { return getBe16(&m_data[at]); }
    uint32_t u32(uint64_t at) const { return getBe32(&m_data[at]); }
    // Where the table a header pointer names starts, when its header fits.
    std::optional<uint64_t> table(size_t pointer) const
    {
        const uint64_t at = uint64_t(u32(pointer)) * kSectorBytes;
        if (at < kIfoHeaderBytes || !has(at, kTableHeaderBytes))
            return std::nullopt;
        return at;
    }

private:
    std::span<const uint8_t> m_data;
};

bool isIfoOf(std::span<const uint8_t> ifo, const char *magic)
{
    return ifo.size() >= kIfoHeaderBytes && std::memcmp(ifo.data(), magic, 12) == 0;
}

// A BCD playback time (hh mm ss ff, the frame rate in the top bits of ff).
uint64_t playbackMs(const Bytes &b, uint64_t at)
{
    const auto bcd = [](uint8_t v) { return uint64_t(v >> 4) * 10 + (v & 0x0F); };
    const uint8_t frames = b.u8(at + 3);
    const uint64_t fps = (frames >> 6) == 1 ? 25 : 30;
    return ((bcd(b.u8(at)) * 60 + bcd(b.u8(at + 1))) * 60 + bcd(b.u8(at + 2))) * 1000 +
           bcd(frames & 0x3F) * 1000 / fps;
}

// The chapters of one title: (program chain, program) pairs, 1-based.
std::optional<std::vector<std::pair<int, int>>> chapters(const Bytes &b, int setTitle)
{
    const auto table = b.table(kChapterTable);
    if (!table)
        return std::nullopt;
    const int titles = b.u16(*table);
    const uint64_t end = *table + uint64_t(b.u32(*table + 4)) + 1;
    if (setTitle < 1 || setTitle > titles || !b.has(*table, end - *table) ||
        !b.has(*table + kTableHeaderBytes, uint64_t(titles) * 4))
        return std::nullopt;
    const uint64_t first = *table + b.u32(*table + kTableHeaderBytes + uint64_t(setTitle - 1) * 4);
    const uint64_t last =
        setTitle < titles ? *table + b.u32(*table + kTableHeaderBytes + uint64_t(setTitle) * 4) : end;
    if (first >= last || last > end)
        return std::nullopt;
    std::vector<std::pair<int, int>> out;
    // A title has at most 999 chapters.
    for (uint64_t at = first; at + 4 <= last && out.size() < kMostChapters; at += 4)
        out.emplace_back(b.u16(at), b.u16(at + 2));
    return out;
}

// Where program chain pgcn (1-based) of the set's titles starts.
std::optional<uint64_t> chainAt(const Bytes &b, int pgcn)
{
    const auto table = b.table(kChainTable);
    if (!table || pgcn < 1 || pgcn > b.u16(*table) || !b.has(*table + kTableHeaderBytes, uint64_t(pgcn) * 8))
        return std::nullopt;
    const uint64_t at = *table + b.u32(*table + kTableHeaderBytes + uint64_t(pgcn - 1) * 8 + 4);
    if (!b.has(at, 0xEC))
        return std::nullopt;
    return at;
}

// (VOB id, cell id) -> first and last sector, from the cell address table.
std::optional<std::map<std::pair<int, int>, std::pair<uint32_t, uint32_t>>> cellAddresses(const Bytes &b)
{
    const auto table = b.table(kCellTable);
    if (!table)
        return std::nullopt;
    const uint64_t bytes = uint64_t(b.u32(*table + 4)) + 1;
    if (bytes < kTableHeaderBytes || !b.has(*table, bytes))
        return std::nullopt;
    std::map<std::pair<int, int>, std::pair<uint32_t, uint32_t>> out;
    for (uint64_t at = *table + kTableHeaderBytes; at + kCellAddressBytes <= *table + bytes;
         at += kCellAddressBytes)
        out[{b.u16(at), b.u8(at + 2)}] = {b.u32(at + 4), b.u32(at + 8)};
    return out;
}

} // namespace

std::optional<std::vector<TitleEntry>> ReadTitles(std::span<const uint8_t> vmgIfo)
{
    if (!isIfoOf(vmgIfo, "DVDVIDEO-VMG"))
        return std::nullopt;
    const Bytes b(vmgIfo);
    const auto table = b.table(kVmgTitleTable);
    if (!table)
        return std::nullopt;
    const int count = b.u16(*table);
    if (count < 1 || count > kMostTitles ||
        !b.has(*table + kTableHeaderBytes, uint64_t(count) * kTitleSearchBytes))
        return std::nullopt;
    std::vector<TitleEntry> out;
    for (int i = 0; i < count; ++i) {
        const uint64_t at = *table + kTableHeaderBytes + uint64_t(i) * kTitleSearchBytes;
        out.push_back({i + 1, b.u8(at + 6), b.u8(at + 7)});
    }
    return out;
}

std::optional<TitleCellList> ReadTitleCells(std::span<const uint8_t> vtsIfo, int setTitle)
{
    if (!isIfoOf(vtsIfo, "DVDVIDEO-VTS"))
        return std::nullopt;
    const Bytes b(vtsIfo);
    const auto parts = chapters(b, setTitle);
    const auto addresses = cellAddresses(b);
    if (!parts || parts->empty() || !addresses)
        return std::nullopt;
    TitleCellList out;
    // A title usually plays one program chain; one split over several is
    // walked chain by chain in chapter order, each chain once.
    std::vector<int> chains;
    std::set<int> seen;
    for (const auto &[pgcn, program] : *parts)
        if (seen.insert(pgcn).second)
            chains.push_back(pgcn);
    for (const int pgcn : chains) {
        const auto chain = chainAt(b, pgcn);
        if (!chain)
            return std::nullopt;
        const int programs = b.u8(*chain + 2);
        const int cells = b.u8(*chain + 3);
        const uint64_t programMap = *chain + b.u16(*chain + 0xE6);
        const uint64_t playback = *chain + b.u16(*chain + 0xE8);
        const uint64_t position = *chain + b.u16(*chain + 0xEA);
        if (!b.has(programMap, uint64_t(programs)) ||
            !b.has(playback, uint64_t(cells) * kCellPlaybackBytes) || !b.has(position, uint64_t(cells) * 4))
            return std::nullopt;
        // The chapter each program of this chain begins.
        std::map<int, int> chapterOfEntryCell;
        for (size_t i = 0; i < parts->size(); ++i) {
            const auto [chainOf, program] = (*parts)[i];
            if (chainOf == pgcn && program >= 1 && program <= programs)
                chapterOfEntryCell.emplace(b.u8(programMap + uint64_t(program - 1)), int(i + 1));
        }
        int chapter = out.cells.empty() ? 1 : out.cells.back().chapter;
        for (int c = 1; c <= cells; ++c) {
            const uint64_t at = playback + uint64_t(c - 1) * kCellPlaybackBytes;
            const uint8_t category = b.u8(at);
            CellEntry cell;
            cell.cell = int(out.cells.size()) + 1;
            const auto starts = chapterOfEntryCell.find(c);
            cell.chapterStart = starts != chapterOfEntryCell.end();
            if (cell.chapterStart)
                chapter = starts->second;
            cell.chapter = chapter;
            cell.seamless = (category & 0x08) != 0;
            cell.inAngleBlock = (category & 0xC0) != 0 && (category & 0x30) == 0x10;
            cell.firstSector = b.u32(at + 8);
            cell.lastSector = b.u32(at + 20);
            cell.durationMs = playbackMs(b, at + 4);
            // Only the first cell of an angle block counts in the title's time.
            const bool laterAngle = cell.inAngleBlock && (category & 0xC0) != 0x40;
            cell.startMs = out.durationMs;
            if (!laterAngle)
                out.durationMs += cell.durationMs;
            const uint64_t pos = position + uint64_t(c - 1) * 4;
            const auto listed = addresses->find({b.u16(pos), b.u8(pos + 3)});
            if (listed == addresses->end() || listed->second.first != cell.firstSector ||
                listed->second.second != cell.lastSector || cell.lastSector < cell.firstSector)
                out.addressesDisagree = true;
            out.cells.push_back(cell);
        }
    }
    return out;
}

} // namespace dvdvideo
