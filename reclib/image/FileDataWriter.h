#pragma once
// The file data that every hierarchy shares: one copy of each file, each
// starting on a sector boundary, in the tree's order. The DVD-Video files of
// the top-level VIDEO_TS folder form one block in player order, placed by
// DvdVideoPlacement; where it supplies corrected IFO or BUP copies, those are
// written instead of the source files.

#include "image/DvdVideoPlacement.h"
#include "image/ImageWriter.h"

#include <memory>
#include <set>

namespace image {

class FileDataWriter : public ImageWriter
{
public:
    FileDataWriter(ImageTree &tree, Reallocation mode);
    ~FileDataWriter() override;

    void computeBlocks(SectorAllocator &alloc) override;
    void writeData(ImageSegments &out, const ImageGeometry &geometry) override;

    // Null when the tree holds no DVD-Video folder.
    const DvdVideoPlacement *placement() const { return m_placement.get(); }

private:
    void placeVideoFolder(SectorAllocator &alloc);
    void addRuns(ImageSegments &out, const ImageNode &folder,
                 const std::set<const ImageNode *> &replaced) const;

    ImageTree &m_tree;
    ImageNode *m_videoFolder = nullptr;
    std::unique_ptr<DvdVideoPlacement> m_placement;
};

} // namespace image
