#include "image/IsoHierarchyWriter.h"

#include "image/ByteOrder.h"

#include <algorithm>

namespace image {

struct IsoHierarchyWriter::Directory
{
    // One per file of the folder, so its identifier is a piece of idChars
    // rather than a string of its own.
    struct Entry
    {
        const ImageNode *node;
        uint32_t idAt = 0;
        uint16_t idLength = 0;
        uint32_t directoryIndex = 0; // for folders: index in m_directories
    };
    std::u16string_view idOf(const Entry &entry) const
    {
        return std::u16string_view(idChars).substr(entry.idAt, entry.idLength);
    }

    const ImageNode *node = nullptr;
    std::u16string id;          // empty for the root
    size_t parentIndex = 0;     // the root is its own parent
    std::vector<Entry> entries; // sorted as the flavour requires
    std::u16string idChars;     // the entries' identifiers, one after the other
    uint32_t sector = 0;
    uint32_t sectors = 0;
};

namespace {

constexpr uint8_t kFlagDirectory = 0x02;
constexpr uint8_t kFlagMultiExtent = 0x80;
constexpr size_t kXaBytes = 14;

uint32_t sectionCount(uint64_t size)
{
    if (size == 0)
        return 1;
    return uint32_t((size + IsoHierarchyWriter::kMaxSectionBytes - 1) / IsoHierarchyWriter::kMaxSectionBytes);
}

std::vector<uint8_t> newSector(uint8_t type)
{
    std::vector<uint8_t> s(kSectorSize, 0);
    s[0] = type;
    putPadded(&s[1], 5, "CD001");
    s[6] = 1;
    return s;
}

// Text fields of a Joliet descriptor are UCS-2 big-endian, padded with blanks.
void putUcs2(uint8_t *at, size_t width, const std::u16string &text)
{
    for (size_t i = 0; i + 1 < width; i += 2) {
        const char16_t c = i / 2 < text.size() ? text[i / 2] : u' ';
        at[i] = uint8_t(c >> 8);
        at[i + 1] = uint8_t(c);
    }
}

} // namespace

IsoHierarchyWriter::IsoHierarchyWriter(IsoFlavour flavour, const ImageTree &tree, const DeepFolders &deep,
                                       XaMarking xa)
    : m_flavour(flavour), m_xa(xa)
{
    collectDirectories(tree, deep);
}

IsoHierarchyWriter::~IsoHierarchyWriter() = default;

// Breadth first with sorted entries yields the order path tables need:
// by level, then by parent number, then by identifier.
void IsoHierarchyWriter::collectDirectories(const ImageTree &tree, const DeepFolders &deep)
{
    auto root = std::make_unique<Directory>();
    root->node = &tree.root();
    m_directories.push_back(std::move(root));
    for (size_t index = 0; index < m_directories.size(); ++index) {
        Directory &dir = *m_directories[index];
        std::vector<std::string> originals;
        std::vector<EntryKind> kinds;
        std::vector<std::u16string> ids;
        const std::vector<const ImageNode *> children = deep.isoChildren(*dir.node);
        for (const ImageNode *child : children) {
            const EntryKind kind = child->isDirectory ? EntryKind::Directory : EntryKind::File;
            // Collisions are settled in the order of these names: the byte
            // 0xFF, which UTF-8 never holds, puts RR_MOVED last, so that a
            // folder of the user's keeps its name and ours takes a number.
            originals.push_back(child == &deep.movedFolder() ? "\xFF" + std::string(child->name())
                                                             : std::string(child->name()));
            kinds.push_back(kind);
            ids.push_back(identifierFor(m_flavour, child->name(), kind));
        }
        resolveCollisions(m_flavour, originals, kinds, ids);
        size_t chars = 0;
        for (const auto &id : ids)
            chars += id.size();
        dir.idChars.reserve(chars);
        dir.entries.reserve(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            dir.entries.push_back({children[i], uint32_t(dir.idChars.size()), uint16_t(ids[i].size())});
            dir.idChars += ids[i];
        }
        std::stable_sort(dir.entries.begin(), dir.entries.end(), [&](const auto &a, const auto &b) {
            return identifierLess(m_flavour, dir.idOf(a), dir.idOf(b));
        });
        for (auto &entry : dir.entries) {
            if (!entry.node->isDirectory)
                continue;
            auto sub = std::make_unique<Directory>();
            sub->node = entry.node;
            sub->id = dir.idOf(entry);
            sub->parentIndex = index;
            entry.directoryIndex = uint32_t(m_directories.size());
            m_directories.push_back(std::move(sub));
        }
    }
}

std::vector<std::pair<const ImageNode *, std::string>> IsoHierarchyWriter::movedPaths() const
{
    const auto utf8 = [](const std::u16string &id) {
        std::string out;
        for (char16_t c : id) {
            if (c < 0x80) {
                out.push_back(char(c));
            } else if (c < 0x800) {
                out.push_back(char(0xC0 | (c >> 6)));
                out.push_back(char(0x80 | (c & 0x3F)));
            } else {
                out.push_back(char(0xE0 | (c >> 12)));
                out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
                out.push_back(char(0x80 | (c & 0x3F)));
            }
        }
        return out;
    };
    std::vector<std::pair<const ImageNode *, std::string>> out;
    for (const auto &dir : m_directories)
        if (dir->node->isoRelocated)
            out.emplace_back(dir->node,
                             "/" + utf8(m_directories[dir->parentIndex]->id) + "/" + utf8(dir->id));
    return out;
}

size_t IsoHierarchyWriter::recordLength(size_t identifierBytes, XaMarking xa)
{
    size_t length = 33 + identifierBytes;
    if (length % 2)
        ++length;
    return length + (xa == XaMarking::CdRomXa ? kXaBytes : 0);
}

std::vector<uint8_t> IsoHierarchyWriter::identifierBytes(std::u16string_view id, EntryKind kind) const
{
    const std::u16string full = std::u16string(id) + (kind == EntryKind::File ? u";1" : u"");
    std::vector<uint8_t> out;
    for (char16_t c : full) {
        if (m_flavour == IsoFlavour::Joliet)
            out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c));
    }
    return out;
}

uint32_t IsoHierarchyWriter::directorySectors(const Directory &dir) const
{
    // A record never crosses a sector boundary.
    size_t used = 2 * recordLength(1, m_xa);
    uint32_t sectors = 1;
    for (const auto &entry : dir.entries) {
        const EntryKind kind = entry.node->isDirectory ? EntryKind::Directory : EntryKind::File;
        const size_t length = recordLength(identifierBytes(dir.idOf(entry), kind).size(), m_xa);
        const uint32_t count = entry.node->isDirectory ? 1 : sectionCount(entry.node->size);
        for (uint32_t i = 0; i < count; ++i) {
            if (used + length > kSectorSize) {
                ++sectors;
                used = 0;
            }
            used += length;
        }
    }
    return sectors;
}

void IsoHierarchyWriter::reserveDescriptors(SectorAllocator &alloc)
{
    m_descriptorSector = alloc.reserve(1);
}

void IsoHierarchyWriter::computeBlocks(SectorAllocator &alloc)
{
    m_pathTableBytes = 0;
    for (const auto &dir : m_directories) {
        const size_t idBytes = dir->id.empty() ? 1 : identifierBytes(dir->id, EntryKind::Directory).size();
        m_pathTableBytes += uint32_t(8 + idBytes + idBytes % 2);
    }
    m_lPathTable = alloc.reserve(sectorsFor(m_pathTableBytes));
    m_mPathTable = alloc.reserve(sectorsFor(m_pathTableBytes));
    for (auto &dir : m_directories) {
        dir->sectors = directorySectors(*dir);
        dir->sector = alloc.reserve(dir->sectors);
    }
}

void IsoHierarchyWriter::putRecord(std::vector<uint8_t> &out, const std::vector<uint8_t> &id, uint32_t extent,
                                   uint32_t size, uint8_t flags, const ImageTime &date, XaMarking xa) const
{
    const size_t length = recordLength(id.size(), xa);
    const size_t inSector = out.size() % kSectorSize;
    if (inSector + length > kSectorSize)
        out.resize(out.size() + kSectorSize - inSector, 0);
    const size_t at = out.size();
    out.resize(at + length, 0);
    uint8_t *r = &out[at];
    r[0] = uint8_t(length);
    putBoth32(r + 2, extent);
    putBoth32(r + 10, size);
    const auto recorded = date.isoRecordDate();
    std::copy(recorded.begin(), recorded.end(), r + 18);
    r[25] = flags;
    putBoth16(r + 28, 1);
    r[32] = uint8_t(id.size());
    std::copy(id.begin(), id.end(), r + 33);
    if (xa == XaMarking::CdRomXa) {
        uint8_t *system = r + length - kXaBytes;
        // Owner and group 0; readable and executable by all, Mode 2 Form 1
        // data, the directory bit for folders.
        putBe16(system + 4, (flags & kFlagDirectory) ? 0x8D55 : 0x0D55);
        system[6] = 'X';
        system[7] = 'A';
    }
}

std::vector<uint8_t> IsoHierarchyWriter::directoryBytes(const Directory &dir) const
{
    std::vector<uint8_t> out;
    const Directory &parent = *m_directories[dir.parentIndex];
    putRecord(out, {0}, dir.sector, dir.sectors * kSectorSize, kFlagDirectory, dir.node->date(), m_xa);
    putRecord(out, {1}, parent.sector, parent.sectors * kSectorSize, kFlagDirectory, parent.node->date(),
              m_xa);
    for (const auto &entry : dir.entries) {
        if (entry.node->isDirectory) {
            const Directory &sub = *m_directories[entry.directoryIndex];
            putRecord(out, identifierBytes(dir.idOf(entry), EntryKind::Directory), sub.sector,
                      sub.sectors * kSectorSize, kFlagDirectory, entry.node->date(), m_xa);
            continue;
        }
        const auto id = identifierBytes(dir.idOf(entry), EntryKind::File);
        const ImageTime date = entry.node->date();
        const uint64_t size = entry.node->size;
        const uint32_t sections = sectionCount(size);
        for (uint32_t i = 0; i < sections; ++i) {
            const uint64_t offset = uint64_t(i) * kMaxSectionBytes;
            const uint64_t length = std::min(size - std::min(size, offset), kMaxSectionBytes);
            const uint32_t extent = size == 0 ? 0 : entry.node->dataSector + uint32_t(offset / kSectorSize);
            putRecord(out, id, extent, uint32_t(length), i + 1 < sections ? kFlagMultiExtent : 0, date, m_xa);
        }
    }
    return out;
}

std::vector<uint8_t> IsoHierarchyWriter::pathTable(bool bigEndian) const
{
    std::vector<uint8_t> out;
    for (const auto &dir : m_directories) {
        const std::vector<uint8_t> id =
            dir->id.empty() ? std::vector<uint8_t>{0} : identifierBytes(dir->id, EntryKind::Directory);
        const size_t at = out.size();
        out.resize(at + 8 + id.size() + id.size() % 2, 0);
        out[at] = uint8_t(id.size());
        const auto parentNumber = uint16_t(dir->parentIndex + 1);
        if (bigEndian) {
            putBe32(&out[at + 2], dir->sector);
            putBe16(&out[at + 6], parentNumber);
        } else {
            putLe32(&out[at + 2], dir->sector);
            putLe16(&out[at + 6], parentNumber);
        }
        std::copy(id.begin(), id.end(), &out[at + 8]);
    }
    return out;
}

void IsoHierarchyWriter::writeDescriptors(ImageSegments &out, const ImageGeometry &geometry)
{
    const bool joliet = m_flavour == IsoFlavour::Joliet;
    std::vector<uint8_t> d = newSector(joliet ? 2 : 1);
    if (joliet) {
        putUcs2(&d[8], 32, u"LINUX");
        std::u16string label;
        for (char32_t c : decodeUtf8(geometry.label))
            label.push_back(c > 0xFFFF ? u'_' : char16_t(c));
        putUcs2(&d[40], 32, label.substr(0, 16));
        putPadded(&d[88], 32, "%/E", 0); // UCS-2 level 3
    } else {
        putPadded(&d[8], 32, "LINUX");
        const auto id = volumeIdentifier(geometry.label);
        putPadded(&d[40], 32, std::string(id.begin(), id.end()));
    }
    putBoth32(&d[80], geometry.totalSectors);
    putBoth16(&d[120], 1);
    putBoth16(&d[124], 1);
    putBoth16(&d[128], kSectorSize);
    putBoth32(&d[132], m_pathTableBytes);
    putLe32(&d[140], m_lPathTable);
    putBe32(&d[148], m_mPathTable);
    std::vector<uint8_t> root;
    const Directory &top = *m_directories.front();
    root.reserve(34);
    // The descriptor's copy of the root record is always 34 bytes, without XA data.
    putRecord(root, {0}, top.sector, top.sectors * kSectorSize, kFlagDirectory, top.node->date(),
              XaMarking::None);
    std::copy(root.begin(), root.end(), &d[156]);
    for (size_t field : {190, 318, 446, 574})
        joliet ? putUcs2(&d[field], 128, u"") : putPadded(&d[field], 128, "");
    for (size_t field : {702, 739, 776})
        joliet ? putUcs2(&d[field], 37, u"") : putPadded(&d[field], 37, "");
    const auto date = geometry.time.isoVolumeDate();
    std::copy(date.begin(), date.end(), &d[813]);
    std::copy(date.begin(), date.end(), &d[830]);
    putPadded(&d[847], 16, "0000000000000000");
    std::copy(date.begin(), date.end(), &d[864]);
    d[881] = 1;
    if (m_xa == XaMarking::CdRomXa)
        putPadded(&d[1024], 8, "CD-XA001");
    out.addBytes(m_descriptorSector, std::move(d));
}

void IsoHierarchyWriter::writeData(ImageSegments &out, const ImageGeometry &)
{
    out.addBytes(m_lPathTable, pathTable(false));
    out.addBytes(m_mPathTable, pathTable(true));
    // Once serialised, a folder's entries are not needed again; freeing them
    // as we go keeps them from adding to the peak when files are many.
    for (const auto &dir : m_directories) {
        out.addBytes(dir->sector, directoryBytes(*dir));
        std::vector<Directory::Entry>().swap(dir->entries);
        std::u16string().swap(dir->idChars);
    }
}

} // namespace image
