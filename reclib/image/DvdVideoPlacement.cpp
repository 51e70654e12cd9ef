#include "image/DvdVideoPlacement.h"

#include "dvdvideo/IfoReader.h"
#include "image/ByteOrder.h"

#include <algorithm>
#include <array>
#include <map>

namespace image {

using dvdvideo::IfoReader;
using dvdvideo::VtsAddresses;

// The DVD-Video files found in the folder, by set. Set 0 is the VMG
// (VIDEO_TS.IFO, VIDEO_TS.VOB as its menu VOB, VIDEO_TS.BUP).
struct DvdVideoPlacement::Sets
{
    struct Set
    {
        int number = 0;
        ImageNode *ifo = nullptr;
        ImageNode *menuVob = nullptr;
        std::array<ImageNode *, 10> titleVobs{}; // parts 1 to 9 (index 0 unused)
        ImageNode *bup = nullptr;
        uint32_t ifoOffset = 0;
        uint32_t end = 0; // first sector after the set
    };
    std::map<int, Set> sets;

    // Files in player order: each set's IFO, menu VOB, title VOBs, BUP.
    template <typename Visit> void forEachFile(Visit visit)
    {
        for (auto &[number, set] : sets) {
            visit(set, set.ifo);
            visit(set, set.menuVob);
            for (int part = 1; part <= 9; ++part)
                visit(set, set.titleVobs[part]);
            visit(set, set.bup);
        }
    }
};

namespace {

std::string upper(std::string text)
{
    for (auto &c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

uint32_t sectorsOf(const ImageNode *node)
{
    return node ? sectorsFor(node->size) : 0;
}

// Where a name belongs: the slot in its set, or null for other files.
ImageNode **slotFor(DvdVideoPlacement::Sets &sets, const std::string &name)
{
    if (name.size() != 12 || name[8] != '.')
        return nullptr;
    const std::string ext = name.substr(9);
    if (name.compare(0, 8, "VIDEO_TS") == 0) {
        auto &vmg = sets.sets[0];
        return ext == "IFO" ? &vmg.ifo : ext == "VOB" ? &vmg.menuVob : ext == "BUP" ? &vmg.bup : nullptr;
    }
    const auto digit = [&](size_t i) { return name[i] >= '0' && name[i] <= '9'; };
    if (name.compare(0, 4, "VTS_") != 0 || !digit(4) || !digit(5) || name[6] != '_' || !digit(7))
        return nullptr;
    const int number = (name[4] - '0') * 10 + (name[5] - '0');
    const int part = name[7] - '0';
    if (number < 1 || (ext != "VOB" && part != 0))
        return nullptr;
    auto &set = sets.sets[number];
    set.number = number;
    if (ext == "IFO")
        return &set.ifo;
    if (ext == "BUP")
        return &set.bup;
    if (ext == "VOB")
        return part == 0 ? &set.menuVob : &set.titleVobs[size_t(part)];
    return nullptr;
}

} // namespace

DvdVideoPlacement::DvdVideoPlacement(const std::vector<ImageNode *> &folderFiles, Reallocation mode,
                                     Loader loader)
    : m_mode(mode), m_loader(std::move(loader)), m_sets(std::make_unique<Sets>())
{
    for (ImageNode *node : folderFiles) {
        ImageNode **slot = slotFor(*m_sets, upper(std::string(node->name())));
        if (slot && !*slot)
            *slot = node;
    }
    // A title set without its IFO is no title set: its files are ordinary.
    for (auto it = m_sets->sets.begin(); it != m_sets->sets.end();) {
        if (it->first != 0 && !it->second.ifo) {
            it = m_sets->sets.erase(it);
        } else {
            ++it;
        }
    }
}

DvdVideoPlacement::~DvdVideoPlacement() = default;

bool DvdVideoPlacement::isDvdVideo() const
{
    const auto vmg = m_sets->sets.find(0);
    return vmg != m_sets->sets.end() && vmg->second.ifo;
}

void DvdVideoPlacement::put(ImageNode *node, uint32_t offset)
{
    if (node)
        m_placed.push_back({node, offset, {}, false});
}

void DvdVideoPlacement::plan(uint32_t firstSector)
{
    m_placed.clear();
    m_warning.clear();
    m_reallocFailed = false;
    if (!isDvdVideo())
        return;
    if (m_mode == Reallocation::On) {
        pack(firstSector);
        m_reallocFailed = !correctCopies();
        return;
    }
    if (!placeByIfo()) {
        m_warning = "The DVD-Video files cannot be placed where their IFO files say (" + m_warning +
                    "); they are packed in player order and standalone players may not play the disc";
        pack(firstSector);
    }
}

// Each file where its IFO puts it; false (with the reason in m_warning) when
// an IFO cannot be read or its addresses leave a file no room.
bool DvdVideoPlacement::placeByIfo()
{
    uint64_t end = 0;
    const auto place = [&](ImageNode *node, uint64_t at, const char *what) {
        if (!node)
            return true;
        if (at < end || at + sectorsOf(node) > 0xFFFFFFFFull) {
            m_warning = std::string(node->name()) + " overlaps the file before it (" + what + ")";
            return false;
        }
        put(node, uint32_t(at));
        end = at + sectorsOf(node);
        return true;
    };
    const auto unreadable = [&](const ImageNode *node) {
        m_warning = std::string(node->name()) + " cannot be read as an IFO file";
        return false;
    };
    const auto &vmg = m_sets->sets.at(0);
    const auto vmgBytes = m_loader(*vmg.ifo);
    const auto vmgAddr = vmgBytes ? IfoReader::readVmg(*vmgBytes) : std::nullopt;
    if (!vmgAddr)
        return unreadable(vmg.ifo);
    const auto placeSet = [&](const Sets::Set &set, uint64_t start, uint32_t menu, uint32_t title,
                              uint32_t last) {
        const bool hasTitleVob = std::any_of(set.titleVobs.begin(), set.titleVobs.end(),
                                             [](const ImageNode *n) { return n != nullptr; });
        if ((set.menuVob && menu == 0) || (hasTitleVob && title == 0)) {
            m_warning = std::string(set.ifo->name()) + " declares no start for a VOB that exists";
            return false;
        }
        if (!place(set.ifo, start, "IFO start") || !place(set.menuVob, start + menu, "menu VOB start"))
            return false;
        uint64_t titleAt = start + title;
        for (ImageNode *vob : set.titleVobs) {
            if (vob && !place(vob, titleAt, "title VOB start"))
                return false;
            titleAt += sectorsOf(vob);
        }
        const uint64_t setEnd = start + uint64_t(last) + 1;
        if (set.bup &&
            (setEnd < sectorsOf(set.bup) || !place(set.bup, setEnd - sectorsOf(set.bup), "last sector")))
            return false;
        if (setEnd < end) {
            m_warning = "the set of " + std::string(set.ifo->name()) + " ends before its files do";
            return false;
        }
        end = setEnd;
        return true;
    };
    if (!placeSet(vmg, 0, vmgAddr->menuVobStart, 0, vmgAddr->lastSector))
        return false;
    for (const auto &[number, set] : m_sets->sets) {
        if (number == 0)
            continue;
        const auto start = vmgAddr->titleSetStarts.find(number);
        const auto bytes = m_loader(*set.ifo);
        const auto vts = bytes ? IfoReader::readVts(*bytes) : std::nullopt;
        if (!vts)
            return unreadable(set.ifo);
        if (start == vmgAddr->titleSetStarts.end()) {
            m_warning = "no title of VIDEO_TS.IFO leads to " + std::string(set.ifo->name());
            return false;
        }
        if (!placeSet(set, start->second, vts->menuVobStart, vts->titleVobStart, vts->lastSector))
            return false;
    }
    m_sectors = uint32_t(end);
    return true;
}

void DvdVideoPlacement::pack(uint32_t firstSector)
{
    m_placed.clear();
    uint32_t position = 0;
    m_sets->forEachFile([&](Sets::Set &set, ImageNode *node) {
        if (!node)
            return;
        if (node == set.ifo) {
            if (set.number == m_gapSet)
                position += m_gap;
            set.ifoOffset = position;
        }
        if (node == set.bup && set.ifo) {
            // Keep the BUP out of the 16-sector block that holds the IFO's end,
            // so one damaged block cannot take both.
            const uint32_t ifoLastBlock =
                (firstSector + set.ifoOffset + std::max(sectorsOf(set.ifo), 1u) - 1) / 16;
            if ((firstSector + position) / 16 == ifoLastBlock)
                position = (ifoLastBlock + 1) * 16 - firstSector;
        }
        put(node, position);
        position += sectorsOf(node);
        set.end = position;
    });
    m_sectors = position;
}

// Corrected IFO and BUP copies for the packed layout; false, with nothing
// replaced, when any IFO structure is not understood.
bool DvdVideoPlacement::correctCopies()
{
    std::map<const ImageNode *, std::vector<uint8_t>> copies;
    const auto load = [&](const ImageNode *node) -> std::vector<uint8_t> * {
        if (!node)
            return nullptr;
        auto bytes = m_loader(*node);
        if (!bytes)
            return nullptr;
        return &(copies[node] = std::move(*bytes));
    };
    std::map<const ImageNode *, uint32_t> offsets;
    for (const auto &p : m_placed)
        offsets[p.node] = p.offset;
    const auto relative = [&](const ImageNode *node, uint32_t base) {
        return node ? offsets[node] - base : 0;
    };
    const auto firstTitleVob = [](const Sets::Set &set) -> const ImageNode * {
        for (const ImageNode *vob : set.titleVobs)
            if (vob)
                return vob;
        return nullptr;
    };

    for (const auto &[number, set] : m_sets->sets) {
        const uint32_t base = set.ifoOffset;
        for (const ImageNode *node : {set.ifo, set.bup}) {
            std::vector<uint8_t> *copy = load(node);
            if (node && !copy)
                return false;
            if (!copy)
                continue;
            bool ok = false;
            if (number == 0) {
                auto addr = IfoReader::readVmg(*copy);
                if (!addr)
                    return false;
                for (const auto &title : addr->titleSetStarts) {
                    const auto other = m_sets->sets.find(title.first);
                    if (other == m_sets->sets.end())
                        return false;
                    addr->titleSetStarts[title.first] = other->second.ifoOffset;
                }
                addr->lastSector = set.end - 1;
                addr->ifoLastSector = std::max(sectorsOf(set.ifo), 1u) - 1;
                addr->menuVobStart = relative(set.menuVob, base);
                ok = IfoReader::writeVmg(*copy, *addr);
            } else {
                VtsAddresses addr;
                addr.lastSector = set.end - base - 1;
                addr.ifoLastSector = std::max(sectorsOf(set.ifo), 1u) - 1;
                addr.menuVobStart = relative(set.menuVob, base);
                addr.titleVobStart = relative(firstTitleVob(set), base);
                ok = IfoReader::writeVts(*copy, addr);
            }
            if (!ok)
                return false;
        }
    }
    for (auto &p : m_placed) {
        const auto found = copies.find(p.node);
        if (found != copies.end()) {
            p.replacement = std::move(found->second);
            p.replaced = true;
        }
    }
    return true;
}

} // namespace image
