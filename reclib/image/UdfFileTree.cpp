#include "image/UdfFileTree.h"

#include "image/ByteOrder.h"
#include "image/UdfDescriptors.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace image {
namespace {

constexpr size_t kFileEntryFixed = 176;
constexpr size_t kShortAd = 8;
constexpr size_t kMaxShortAds = (kSectorSize - kFileEntryFixed) / kShortAd;
constexpr uint8_t kCharDirectory = 0x02;
constexpr uint8_t kCharParent = 0x08;
constexpr uint8_t kFileTypeDirectory = 4;
constexpr uint8_t kFileTypeFile = 5;
constexpr size_t kMaxNameBytes = 255;

uint64_t extentCount(uint64_t size)
{
    return (size + UdfFileTree::kMaxExtentBytes - 1) / UdfFileTree::kMaxExtentBytes;
}

size_t identifierLength(size_t nameBytes)
{
    return (38 + nameBytes + 3) & ~size_t(3);
}

} // namespace

UdfFileTree::UdfFileTree(ImageTree &tree) : m_tree(tree) {}

std::string UdfFileTree::refusal() const
{
    std::string found;
    std::as_const(m_tree).forEach([&](const ImageNode &node) {
        if (found.empty() && !node.isDirectory && extentCount(node.size) > kMaxShortAds)
            found = node.sourcePath();
    });
    return found;
}

void UdfFileTree::computeBlocks(SectorAllocator &alloc, uint32_t partitionStart)
{
    m_partitionStart = partitionStart;
    alloc.skipTo(partitionStart);
    alloc.reserve(2); // file set descriptor and its terminator
    const auto place = [&](ImageNode &node) {
        node.udfEntryBlock = alloc.reserve(1) - partitionStart;
        node.udfUniqueId = &node == &m_tree.root() ? 0 : uint32_t(m_nextUniqueId++);
        if (node.isDirectory) {
            ++m_directories;
            node.udfDataBlock = alloc.reserve(sectorsFor(folderContents(node).size())) - partitionStart;
        } else {
            ++m_files;
        }
    };
    place(m_tree.root());
    m_tree.forEach(place);
}

void UdfFileTree::putIdentifier(std::vector<uint8_t> &out, const ImageNode &target, uint8_t characteristics,
                                std::string_view name, uint32_t folderDataBlock) const
{
    const std::vector<uint8_t> encoded =
        name.empty() ? std::vector<uint8_t>{} : udf::encodeCs0(name, kMaxNameBytes);
    const size_t at = out.size();
    const size_t length = identifierLength(encoded.size());
    out.resize(at + length, 0);
    uint8_t *d = &out[at];
    putLe16(d + 16, 1); // file version number
    d[18] = characteristics;
    d[19] = uint8_t(encoded.size());
    putLe32(d + 20, kSectorSize);
    putLe32(d + 24, target.udfEntryBlock);
    putLe32(d + 32, target.udfUniqueId); // implementation use: UDF unique id
    putLe16(d + 36, 0);
    std::copy(encoded.begin(), encoded.end(), d + 38);
    udf::finishTag(d, udf::FileIdentifier, length, folderDataBlock + uint32_t(at / kSectorSize));
}

std::vector<uint8_t> UdfFileTree::folderContents(const ImageNode &folder) const
{
    std::vector<uint8_t> out;
    const uint32_t dataBlock = folder.udfDataBlock;
    const ImageNode &parent = folder.parent ? *folder.parent : folder;
    putIdentifier(out, parent, kCharDirectory | kCharParent, {}, dataBlock);
    for (const auto &child : folder.children())
        putIdentifier(out, child, child.isDirectory ? kCharDirectory : 0, child.name(), dataBlock);
    return out;
}

std::vector<uint8_t> UdfFileTree::fileEntry(const ImageNode &node, const ImageTime &time) const
{
    const uint64_t length = node.isDirectory ? folderContents(node).size() : node.size;
    const uint32_t firstBlock = node.isDirectory ? node.udfDataBlock : node.dataSector - m_partitionStart;
    const auto extents = size_t(extentCount(length));
    std::vector<uint8_t> d(kFileEntryFixed + extents * kShortAd, 0);
    putLe16(&d[16 + 4], 4); // strategy type 4
    putLe16(&d[16 + 8], 1); // one entry
    d[16 + 11] = node.isDirectory ? kFileTypeDirectory : kFileTypeFile;
    putLe16(&d[16 + 18], 0);     // short allocation descriptors
    putLe32(&d[36], 0xFFFFFFFF); // no owner recorded
    putLe32(&d[40], 0xFFFFFFFF);
    putLe32(&d[44], node.isDirectory ? 0x14A5 : 0x1084); // read (and search) for everyone
    const auto subfolders = std::count_if(node.children().begin(), node.children().end(),
                                          [](const ImageNode &c) { return c.isDirectory; });
    putLe16(&d[48], uint16_t(node.isDirectory ? 1 + subfolders : 1));
    putLe64(&d[56], length);
    putLe64(&d[64], sectorsFor(length));
    // Access and modification carry the entry's own date; the attributes
    // were set when the image was made.
    udf::putTimestamp(&d[72], node.date());
    udf::putTimestamp(&d[84], node.date());
    udf::putTimestamp(&d[96], time);
    putLe32(&d[108], 1); // checkpoint
    udf::putRegid(&d[128], "*Orvane Burn", udf::RegidKind::Implementation);
    putLe64(&d[160], node.udfUniqueId);
    putLe32(&d[172], uint32_t(extents * kShortAd));
    for (size_t i = 0; i < extents; ++i) {
        const uint64_t offset = i * kMaxExtentBytes;
        const uint64_t part = std::min(length - offset, kMaxExtentBytes);
        putLe32(&d[kFileEntryFixed + i * kShortAd], uint32_t(part));
        putLe32(&d[kFileEntryFixed + i * kShortAd + 4], firstBlock + uint32_t(offset / kSectorSize));
    }
    udf::finishTag(d.data(), udf::FileEntry, d.size(), node.udfEntryBlock);
    return d;
}

void UdfFileTree::EntryRun::fill(uint32_t index, uint8_t *sector) const
{
    const std::vector<uint8_t> entry = m_tree.fileEntry(first[index], m_time);
    std::memcpy(sector, entry.data(), entry.size());
    std::memset(sector + entry.size(), 0, kSectorSize - entry.size());
}

const std::vector<uint8_t> &UdfFileTree::streamedContents(const ImageNode &folder) const
{
    if (m_streamedFolder != &folder) {
        m_streamedContents = folderContents(folder);
        m_streamedFolder = &folder;
    }
    return m_streamedContents;
}

void UdfFileTree::FolderContents::fill(uint32_t index, uint8_t *sector) const
{
    const std::vector<uint8_t> &contents = m_tree.streamedContents(m_folder);
    const size_t offset = std::min(contents.size(), size_t(index) * kSectorSize);
    const size_t used = std::min(contents.size() - offset, size_t(kSectorSize));
    std::memcpy(sector, contents.data() + offset, used);
    std::memset(sector + used, 0, kSectorSize - used);
}

void UdfFileTree::write(ImageSegments &out, const ImageTime &time, const std::string &label)
{
    std::vector<uint8_t> fsd(kSectorSize * 2, 0);
    udf::putTimestamp(&fsd[16], time);
    putLe16(&fsd[28], 3);
    putLe16(&fsd[30], 3);
    putLe32(&fsd[32], 1);
    putLe32(&fsd[36], 1);
    udf::putCharSpec(&fsd[48]);
    udf::putDString(&fsd[112], 128, label);
    udf::putCharSpec(&fsd[240]);
    udf::putDString(&fsd[304], 32, label);
    putLe32(&fsd[400], kSectorSize);
    putLe32(&fsd[404], m_tree.root().udfEntryBlock);
    udf::putRegid(&fsd[416], "*OSTA UDF Compliant", udf::RegidKind::Domain);
    udf::finishTag(fsd.data(), udf::FileSet, 512, 0);
    udf::finishTag(&fsd[kSectorSize], udf::Terminating, 512, 1);
    out.addBytes(m_partitionStart, std::move(fsd));

    const auto emit = [&](const ImageNode &node) {
        if (node.isDirectory) {
            out.addBytes(absolute(node.udfEntryBlock), fileEntry(node, time));
            m_folderContents.push_back(std::make_unique<FolderContents>(*this, node));
            out.addGenerated(absolute(node.udfDataBlock), sectorsFor(folderContents(node).size()),
                             *m_folderContents.back());
            return;
        }
        EntryRun *run = m_entryRuns.empty() ? nullptr : m_entryRuns.back().get();
        if (!run || run->firstBlock + run->count != node.udfEntryBlock || run->first + run->count != &node) {
            m_entryRuns.push_back(std::make_unique<EntryRun>(*this, time, node.udfEntryBlock));
            run = m_entryRuns.back().get();
            run->first = &node;
        }
        ++run->count;
    };
    emit(m_tree.root());
    std::as_const(m_tree).forEach(emit);
    for (const auto &run : m_entryRuns)
        out.addGenerated(absolute(run->firstBlock), run->count, *run);
}

} // namespace image
