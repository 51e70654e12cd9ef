#include "image/ImageTrack.h"

#include "image/FileDataWriter.h"
#include "image/FileDates.h"
#include "image/IsoHierarchyWriter.h"
#include "image/IsoTerminatorWriter.h"
#include "image/UdfWriter.h"

#include "image/ByteOrder.h"

#include <cstring>

namespace image {
namespace {

constexpr uint32_t kFirstDescriptorSector = 16;

} // namespace

ImageTrack::ImageTrack(const IsoItem *root, const char *label, uint32_t flags,
                       ImageTree::StopCheck stopRequested)
    : m_flags(flags), m_label(label ? label : ""), m_time(ImageTime::fromEnvironment()),
      m_tree(root, std::move(stopRequested))
{
    settleDates(m_tree, m_time.seconds(), ImageTime::sourceDateEpoch());
    m_deepFolders = std::make_unique<DeepFolders>(m_tree);
    computeLayout();
}

ImageTrack::~ImageTrack() = default;

void ImageTrack::computeLayout()
{
    const bool udf = m_flags & ISO_TRACK_UDF;
    const bool iso = (m_flags & (ISO_TRACK_ISO9660 | ISO_TRACK_JOLIET | ISO_TRACK_MODE2)) || !udf;
    const XaMarking xa = (m_flags & ISO_TRACK_MODE2) ? XaMarking::CdRomXa : XaMarking::None;
    const Reallocation realloc = (m_flags & ISO_TRACK_REALLOC) ? Reallocation::On : Reallocation::Off;

    // Descriptor order: ISO 9660 primary, Joliet, terminator, UDF recognition.
    std::vector<ImageWriter *> descriptorOrder;
    std::vector<ImageWriter *> blockOrder;
    const auto add = [this](std::unique_ptr<ImageWriter> writer) {
        m_writers.push_back(std::move(writer));
        return m_writers.back().get();
    };
    IsoHierarchyWriter *primary = nullptr;
    if (iso) {
        auto writer = std::make_unique<IsoHierarchyWriter>(IsoFlavour::Primary, m_tree, *m_deepFolders, xa);
        primary = writer.get();
        add(std::move(writer));
        noteMovedFolders(*primary);
    }
    ImageWriter *joliet =
        iso && (m_flags & ISO_TRACK_JOLIET)
            ? add(std::make_unique<IsoHierarchyWriter>(IsoFlavour::Joliet, m_tree, *m_deepFolders, xa))
            : nullptr;
    ImageWriter *terminator = iso ? add(std::make_unique<IsoTerminatorWriter>()) : nullptr;
    UdfWriter *udfWriter = nullptr;
    if (udf) {
        auto writer = std::make_unique<UdfWriter>(m_tree);
        udfWriter = writer.get();
        add(std::move(writer));
    }
    auto dataWriter = std::make_unique<FileDataWriter>(
        m_tree, realloc,
        VideoShift{m_gapSet ? std::nullopt : m_videoFirst, m_gapSet, m_gapSet ? m_layerPadding : 0});
    FileDataWriter *data = dataWriter.get();
    m_data = data;
    add(std::move(dataWriter));

    for (ImageWriter *w :
         {static_cast<ImageWriter *>(primary), joliet, terminator, static_cast<ImageWriter *>(udfWriter)})
        if (w)
            descriptorOrder.push_back(w);
    // UDF first: its fixed areas and the start of its partition come before
    // the ISO 9660 directories; the file data comes last.
    for (ImageWriter *w : {static_cast<ImageWriter *>(udfWriter), static_cast<ImageWriter *>(primary), joliet,
                           static_cast<ImageWriter *>(data)})
        if (w)
            blockOrder.push_back(w);

    if (const ImageNode *missing = m_tree.firstMissing()) {
        m_layoutError = "Required file \"" + missing->sourcePath() + "\" " + missing->refusalText();
    } else if (udfWriter && !udfWriter->refusal().empty()) {
        m_layoutError = "The file \"" + udfWriter->refusal() + "\" is too large for a UDF file entry";
    }

    try {
        SectorAllocator alloc(kFirstDescriptorSector);
        for (ImageWriter *w : descriptorOrder)
            w->reserveDescriptors(alloc);
        for (ImageWriter *w : blockOrder)
            w->computeBlocks(alloc);
        for (ImageWriter *w : blockOrder)
            w->reserveTail(alloc);
        m_totalSectors = alloc.next();
    } catch (const LayoutOverflow &overflow) {
        if (m_layoutError.empty())
            m_layoutError = overflow.what();
        m_totalSectors = 0;
        return;
    }

    if (const DvdVideoPlacement *placement = data->placement()) {
        m_reallocFailed = placement->reallocationFailed();
        m_placementWarning = placement->warning();
    }

    // Per folder a UDF entry, its contents, a directory in each ISO 9660
    // hierarchy (RR_MOVED included), and runs of its files' data and UDF
    // entries, broken where a subfolder's come between; the DVD-Video files
    // and a few dozen descriptors.
    m_segments.reserve(size_t(m_tree.directoryCount() + 2) * 8 + 256);
    ImageGeometry geometry{m_totalSectors, m_time, m_label};
    for (auto &w : m_writers)
        w->writeDescriptors(m_segments, geometry);
    for (auto &w : m_writers)
        w->writeData(m_segments, geometry);
    if (!m_segments.finish(m_totalSectors) && m_layoutError.empty())
        m_layoutError = "The image layout of \"" + m_label + "\" is inconsistent";
}

std::optional<dvdvideo::LayerBreakPlan> ImageTrack::currentPlan(uint64_t layer0Limit) const
{
    if (!m_data || !m_layoutError.empty())
        return std::nullopt;
    auto input = m_data->layerInput(m_totalSectors);
    if (!input)
        return std::nullopt;
    input->layer0Limit = layer0Limit;
    return dvdvideo::PlanLayerBreak(*input);
}

std::optional<dvdvideo::LayerBreakPlan> ImageTrack::planLayerBreak(uint64_t layer0Limit)
{
    const auto first = currentPlan(layer0Limit);
    if (!first || first->chosen < 0 || first->padding == 0)
        return first;
    // Packed files keep each BUP out of its IFO's 16-sector block, which
    // would undo padding in front of the block: there the zero sectors go
    // in front of the main title's set instead. Each try is planned again
    // on its own layout; the planner's padding comes first and holds unless
    // the packing moved.
    const uint32_t start = m_data->videoStart();
    if (m_flags & ISO_TRACK_REALLOC)
        m_gapSet = first->candidates[size_t(first->chosen)].set;
    std::vector<uint32_t> tries{first->padding};
    for (uint32_t p = 0; p < dvdvideo::kEccBlockSectors; ++p)
        if (p != first->padding)
            tries.push_back(p);
    std::optional<dvdvideo::LayerBreakPlan> last;
    for (const uint32_t padding : tries) {
        m_videoFirst = start + padding;
        m_layerPadding = padding;
        relayout();
        last = currentPlan(layer0Limit);
        if (!last || last->chosen < 0 || last->padding == 0)
            return last;
    }
    return last;
}

void ImageTrack::relayout()
{
    m_stream.reset(); // it reads the segments replaced here
    m_writers.clear();
    m_segments = ImageSegments();
    m_notes.clear();
    m_layoutError.clear();
    m_placementWarning.clear();
    m_reallocFailed = false;
    m_totalSectors = 0;
    m_data = nullptr;
    computeLayout();
}

void ImageTrack::noteMovedFolders(const IsoHierarchyWriter &primary)
{
    for (const auto &[node, shownAs] : primary.movedPaths())
        m_notes.push_back("The folder \"" + DeepFolders::treePath(*node) +
                          "\" lies deeper than the eight levels ISO 9660 allows; its ISO 9660 and Joliet "
                          "trees show it as \"" +
                          shownAs + "\"");
}

std::string ImageTrack::whatLiesAt(uint32_t sector) const
{
    // A search through the whole tree, but only once, when a verify failed.
    const ImageNode *holder = nullptr;
    m_tree.forEach([&](const ImageNode &node) {
        if (!holder && !node.isDirectory && node.size > 0 && sector >= node.dataSector &&
            sector - node.dataSector < sectorsFor(node.size))
            holder = &node;
    });
    if (holder)
        return "in " + DeepFolders::treePath(*holder) + " at byte offset " +
               std::to_string(uint64_t(sector - holder->dataSector) * kSectorSize);
    for (const ImageSegment &segment : m_segments.segments())
        if (sector >= segment.start && sector - segment.start < segment.sectors)
            return "in the file-system structures";
    return "in the zero padding between files";
}

int32_t ImageTrack::openStream()
{
    m_streamError.clear();
    if (!m_layoutError.empty()) {
        m_streamError = m_layoutError;
        return -1;
    }
    if (!m_stream)
        m_stream.emplace(m_segments, m_totalSectors);
    m_stream->open();
    return 0;
}

int32_t ImageTrack::readBlocks(void *buffer, uint32_t maxBlocks)
{
    if (!m_stream || !buffer) {
        m_streamError = m_layoutError.empty() ? "The image stream is not open" : m_layoutError;
        return -1;
    }
    const int32_t n =
        m_stream->read(static_cast<uint8_t *>(buffer), std::min<uint32_t>(maxBlocks, INT32_MAX));
    if (n < 0)
        m_streamError = m_stream->error();
    return n;
}

int32_t ImageTrack::writeBlocks(int fd, uint32_t maxBlocks)
{
    if (!m_stream) {
        m_streamError = m_layoutError.empty() ? "The image stream is not open" : m_layoutError;
        return -1;
    }
    const int32_t n = m_stream->write(fd, std::min<uint32_t>(maxBlocks, INT32_MAX));
    if (n < 0)
        m_streamError = m_stream->error();
    return n;
}

void ImageTrack::closeStream()
{
    if (m_stream)
        m_stream->close();
}

const std::string &ImageTrack::lastError() const
{
    return m_streamError.empty() ? m_layoutError : m_streamError;
}

} // namespace image
