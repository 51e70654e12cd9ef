#pragma once
// The C++ side of an image track: the layout computed on construction and
// the stream that produces it. IsoImageTrack.cpp puts the track interface
// of reclib_api.h in front of it.

#include "dvdvideo/LayerBreak.h"
#include "image/DeepFolders.h"
#include "image/ImageSegments.h"
#include "image/ImageStream.h"
#include "image/ImageTime.h"
#include "image/ImageTree.h"
#include "image/ImageWriter.h"

#include "reclib_api.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace image {

class IsoHierarchyWriter;

class ImageTrack
{
public:
    ImageTrack(const IsoItem *root, const char *label, uint32_t flags,
               ImageTree::StopCheck stopRequested = {});
    ~ImageTrack();

    uint32_t flags() const { return m_flags; }
    const std::string &label() const { return m_label; }
    int64_t sizeInSectors() const { return m_totalSectors; }
    int fileCount() const { return m_tree.fileCount(); }
    // The program asked to stop while the sources were opened: the track
    // is incomplete and must not be burned.
    bool stopped() const { return m_tree.stopped(); }
    bool isMode2() const { return (m_flags & ISO_TRACK_MODE2) != 0; }
    bool reallocationFailed() const { return m_reallocFailed; }
    const std::string &placementWarning() const { return m_placementWarning; }
    const std::string &layoutError() const { return m_layoutError; }
    // What the layout changed that the user should know of, one log line
    // each (folders moved under RR_MOVED).
    const std::vector<std::string> &notes() const { return m_notes; }
    // What the image holds at sector, for a user looking for the damage:
    // "in /VIDEO_TS/VTS_01_1.VOB at byte offset 6144" (the path in the
    // true tree, the offset inside the file), "in the file-system
    // structures", or "in the zero padding between files".
    std::string whatLiesAt(uint32_t sector) const;

    // Plans the layer break of a dual-layer disc whose layer 0 holds at
    // most layer0Limit sectors. When a cell start is chosen, the image is
    // laid out again with the zero sectors in front of the DVD-Video files
    // that put that cell on a 16-sector boundary; the plan returned is the
    // one of the final layout (padding 0 when the alignment held). Nothing
    // when the image holds no DVD-Video. Only before the stream opens.
    std::optional<dvdvideo::LayerBreakPlan> planLayerBreak(uint64_t layer0Limit);
    // The zero sectors put in front of the DVD-Video files for the break.
    uint32_t layerPadding() const { return m_layerPadding; }
    // The title set they are put in front of, or 0: in front of all of them.
    int layerPaddingSet() const { return m_gapSet; }

    // 0, or -1 when the layout failed (the reason in lastError()).
    int32_t openStream();
    int32_t readBlocks(void *buffer, uint32_t maxBlocks);
    // Like readBlocks, but appends the blocks to fd: where the output is a
    // file, the file data is copied by the kernel (see ImageStream::write).
    int32_t writeBlocks(int fd, uint32_t maxBlocks);
    void closeStream();
    // The last failure of the stream, or the layout error; empty if none.
    const std::string &lastError() const;

private:
    void computeLayout();
    void relayout();
    std::optional<dvdvideo::LayerBreakPlan> currentPlan(uint64_t layer0Limit) const;
    void noteMovedFolders(const IsoHierarchyWriter &primary);

    uint32_t m_flags;
    std::string m_label;
    ImageTime m_time;
    ImageTree m_tree;
    std::unique_ptr<DeepFolders> m_deepFolders;
    std::vector<std::unique_ptr<ImageWriter>> m_writers;
    class FileDataWriter *m_data = nullptr;
    std::optional<uint32_t> m_videoFirst;
    int m_gapSet = 0;
    uint32_t m_layerPadding = 0;
    ImageSegments m_segments;
    std::optional<ImageStream> m_stream;
    uint32_t m_totalSectors = 0;
    bool m_reallocFailed = false;
    std::string m_placementWarning;
    std::string m_layoutError;
    std::vector<std::string> m_notes;
    std::string m_streamError;
};

} // namespace image
