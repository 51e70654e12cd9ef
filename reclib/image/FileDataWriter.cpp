#include "image/FileDataWriter.h"

#include "dvdvideo/IfoReader.h"
#include "image/ByteOrder.h"
#include "sysio/RegularFileRead.h"

#include <cerrno>
#include <map>
#include <set>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace image {

using dvdvideo::IfoReader;
namespace {

bool isVideoFolderName(std::string_view name)
{
    if (name.size() != 8)
        return false;
    std::string up(name);
    for (auto &c : up)
        c = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return up == "VIDEO_TS";
}

// Reads an IFO or BUP whole, refusing files larger than any real one and
// files that are no longer the version the layout stamped.
std::optional<std::vector<uint8_t>> loadSmallFile(const ImageNode &node)
{
    if (node.sourceMissing || node.size > IfoReader::kMaxIfoBytes)
        return std::nullopt;
    const dvdvideo::SourceFile source = dvdvideo::SourceFile::Open(node.sourcePath());
    if (!source.usable() || source.stamp() != node.stamp())
        return std::nullopt;
    std::vector<uint8_t> bytes(node.size);
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t got = ::pread(source.fd(), bytes.data() + done, bytes.size() - done, off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        done += size_t(got);
    }
    return bytes;
}

// Bytes of the placed files that would start on an odd sector: in an image
// file those straddle its 4 KiB pages, which made the kernel's copy of them
// a sixth to a half slower.
uint64_t bytesOffPageAt(const DvdVideoPlacement &placement, uint32_t first)
{
    uint64_t bytes = 0;
    for (const auto &placed : placement.placed())
        if ((first + placed.offset) % 2 != 0)
            bytes += placed.node->size;
    return bytes;
}

} // namespace

FileDataWriter::FileDataWriter(ImageTree &tree, Reallocation mode, VideoShift shift)
    : m_tree(tree), m_videoFirst(shift.first), m_shift(shift)
{
    for (auto &child : tree.root().children()) {
        if (child.isDirectory && isVideoFolderName(child.name())) {
            m_videoFolder = &child;
            break;
        }
    }
    if (!m_videoFolder)
        return;
    std::vector<ImageNode *> files;
    for (auto &child : m_videoFolder->children())
        if (!child.isDirectory)
            files.push_back(&child);
    m_placement = std::make_unique<DvdVideoPlacement>(files, mode, loadSmallFile);
    if (!m_placement->isDvdVideo())
        m_placement.reset();
    else
        m_placement->setGapBefore(shift.gapSet, shift.gap);
}

FileDataWriter::~FileDataWriter() = default;

void FileDataWriter::placeVideoFolder(SectorAllocator &alloc)
{
    uint32_t first = alloc.next();
    if (m_videoFirst && *m_videoFirst >= first) {
        // Zero sectors in front shift every DVD-Video file alike; the IFO
        // addresses are relative to the block.
        if (*m_videoFirst > first)
            alloc.reserve(*m_videoFirst - first);
        first = *m_videoFirst;
        m_placement->plan(first);
        alloc.reserve(m_placement->sectors());
        for (const auto &placed : m_placement->placed())
            placed.node->dataSector = first + placed.offset;
        return;
    }
    m_placement->plan(first);
    // One zero sector in front of the block when that puts more of its bytes
    // on 4 KiB boundaries; the IFO addresses are relative to the block.
    if (const uint64_t offPage = bytesOffPageAt(*m_placement, first)) {
        m_placement->plan(first + 1);
        if (bytesOffPageAt(*m_placement, first + 1) < offPage)
            first = alloc.reserve(1) + 1;
        else
            m_placement->plan(first);
    }
    alloc.reserve(m_placement->sectors());
    for (const auto &placed : m_placement->placed())
        placed.node->dataSector = first + placed.offset;
}

uint32_t FileDataWriter::videoStart() const
{
    return m_placement && !m_placement->placed().empty() ? m_placement->placed().front().node->dataSector : 0;
}

std::optional<dvdvideo::LayerBreakInput> FileDataWriter::layerInput(uint64_t totalSectors) const
{
    if (!m_placement)
        return std::nullopt;
    dvdvideo::LayerBreakInput input;
    input.totalSectors = totalSectors;
    std::map<int, dvdvideo::SetOnDisc> sets;
    for (const auto &placed : m_placement->placed()) {
        std::string name(placed.node->name());
        for (auto &c : name)
            c = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        const auto bytes = [&] {
            return placed.replaced ? std::optional(placed.replacement) : loadSmallFile(*placed.node);
        };
        if (name == "VIDEO_TS.IFO") {
            input.vmgIfo = bytes().value_or(std::vector<uint8_t>{});
        } else if (name.starts_with("VTS_") && name.size() == 12) {
            const int set = (name[4] - '0') * 10 + (name[5] - '0');
            dvdvideo::SetOnDisc &entry = sets[set];
            entry.set = set;
            if (name.ends_with("_0.IFO")) {
                entry.ifoSector = placed.node->dataSector;
                entry.ifo = bytes().value_or(std::vector<uint8_t>{});
            } else if (name.ends_with(".VOB") && name[7] != '0') {
                entry.titleVobSectors += sectorsFor(placed.node->size);
            }
        }
    }
    for (auto &[number, set] : sets)
        input.sets.push_back(std::move(set));
    return input;
}

void FileDataWriter::computeBlocks(SectorAllocator &alloc)
{
    std::set<const ImageNode *> placedByVideo;
    if (m_placement)
        for (const auto &placed : m_placement->placed())
            placedByVideo.insert(placed.node);
    bool videoDone = false;
    m_tree.forEach([&](ImageNode &node) {
        if (node.isDirectory)
            return;
        if (m_placement && node.parent == m_videoFolder && !videoDone) {
            // The whole DVD-Video block goes where its first file would.
            placeVideoFolder(alloc);
            videoDone = true;
            for (const auto &placed : m_placement->placed())
                placedByVideo.insert(placed.node);
        }
        if (placedByVideo.count(&node))
            return;
        node.dataSector = node.size ? alloc.reserve(sectorsFor(node.size)) : 0;
    });
}

void FileDataWriter::writeData(ImageSegments &out, const ImageGeometry &)
{
    std::set<const ImageNode *> replaced;
    if (m_placement) {
        for (const auto &placed : m_placement->placed()) {
            if (placed.replaced) {
                out.addBytes(placed.node->dataSector, placed.replacement);
                replaced.insert(placed.node);
            }
        }
    }
    addRuns(out, m_tree.root(), replaced);
    std::as_const(m_tree).forEach([&](const ImageNode &node) {
        if (node.isDirectory)
            addRuns(out, node, replaced);
    });
}

// One range per run of a folder's files whose data follow each other on the
// disc (most are: the files come in the tree's order), instead of one per
// file, which for many small files cost more than their nodes.
void FileDataWriter::addRuns(ImageSegments &out, const ImageNode &folder,
                             const std::set<const ImageNode *> &replaced) const
{
    const std::span<const ImageNode> entries = folder.children();
    size_t first = 0;
    uint32_t start = 0;
    uint32_t end = 0;
    bool open = false;
    const auto close = [&](size_t past) {
        if (open)
            out.addFiles(start, end - start, entries.subspan(first, past - first));
        open = false;
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        const ImageNode &node = entries[i];
        if (node.isDirectory || node.size == 0)
            continue;
        if (replaced.count(&node)) {
            close(i);
            continue;
        }
        if (open && node.dataSector == end) {
            end += sectorsFor(node.size);
            continue;
        }
        close(i);
        open = true;
        first = i;
        start = node.dataSector;
        end = start + sectorsFor(node.size);
    }
    close(entries.size());
}

} // namespace image
