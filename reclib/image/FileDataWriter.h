#pragma once
// The file data that every hierarchy shares: one copy of each file, each
// starting on a sector boundary, in the tree's order. The DVD-Video files of
// the top-level VIDEO_TS folder form one block in player order, placed by
// DvdVideoPlacement; where it supplies corrected IFO or BUP copies, those are
// written instead of the source files.

#include "dvdvideo/LayerBreak.h"
#include "image/DvdVideoPlacement.h"
#include "image/ImageWriter.h"

#include <memory>
#include <optional>
#include <set>

namespace image {

// Zero sectors that put a chosen cell on a 16-sector boundary: in front of
// the DVD-Video block (first: where it starts, at or after the next free
// sector) or, when the files are packed, in front of one title set's IFO.
struct VideoShift
{
    std::optional<uint32_t> first;
    int gapSet = 0;
    uint32_t gap = 0;
};

class FileDataWriter : public ImageWriter
{
public:
    FileDataWriter(ImageTree &tree, Reallocation mode, VideoShift shift = {});
    ~FileDataWriter() override;

    void computeBlocks(SectorAllocator &alloc) override;
    void writeData(ImageSegments &out, const ImageGeometry &geometry) override;

    // Null when the tree holds no DVD-Video folder.
    const DvdVideoPlacement *placement() const { return m_placement.get(); }
    // After computeBlocks: the DVD-Video files as laid out, for the layer
    // break planner (the IFOs as written); nothing without DVD-Video.
    std::optional<dvdvideo::LayerBreakInput> layerInput(uint64_t totalSectors) const;
    // After computeBlocks: the sector of VIDEO_TS.IFO, or 0.
    uint32_t videoStart() const;

private:
    void placeVideoFolder(SectorAllocator &alloc);
    void addRuns(ImageSegments &out, const ImageNode &folder,
                 const std::set<const ImageNode *> &replaced) const;

    ImageTree &m_tree;
    ImageNode *m_videoFolder = nullptr;
    std::unique_ptr<DvdVideoPlacement> m_placement;
    std::optional<uint32_t> m_videoFirst;
    VideoShift m_shift;
};

} // namespace image
