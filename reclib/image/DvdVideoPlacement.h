#pragma once
// Decides where the DVD-Video files of the VIDEO_TS folder go, relative to
// the first sector of VIDEO_TS.IFO, in the order players read them.
//
// Without reallocation each file starts where its IFO says (a set's BUP ends
// at the set's declared last sector) and the gaps stay zero; when the IFO
// files cannot be read or declare less room than the files need, the files
// are packed and a warning is kept. With reallocation the files are packed,
// each IFO and its BUP in different 16-sector blocks, and corrected copies of
// every IFO and BUP replace the originals in the image; an IFO structure that
// cannot be understood is recorded as a failed reallocation.

#include "image/ImageTree.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace image {

enum class Reallocation { Off, On };

class DvdVideoPlacement
{
public:
    // Reads a whole (small) file; nothing when it cannot be read.
    using Loader = std::function<std::optional<std::vector<uint8_t>>(const ImageNode &)>;

    struct Placed
    {
        ImageNode *node = nullptr;
        uint32_t offset = 0;              // sectors after the start of VIDEO_TS.IFO
        std::vector<uint8_t> replacement; // corrected IFO or BUP copy, if any
        bool replaced = false;
    };

    DvdVideoPlacement(const std::vector<ImageNode *> &folderFiles, Reallocation mode, Loader loader);
    ~DvdVideoPlacement();

    // True when the folder holds VIDEO_TS.IFO.
    bool isDvdVideo() const;

    // Packed layouts only (reallocation): zero sectors in front of a title
    // set's IFO, which moves that set and the ones after it; the corrected
    // IFOs say where they are.
    void setGapBefore(int set, uint32_t sectors)
    {
        m_gapSet = set;
        m_gap = sectors;
    }

    // Lays the files out for a VIDEO_TS.IFO at firstSector (absolute; it
    // decides which sectors share a 16-sector block).
    void plan(uint32_t firstSector);

    const std::vector<Placed> &placed() const { return m_placed; }
    uint32_t sectors() const { return m_sectors; }
    const std::string &warning() const { return m_warning; }
    bool reallocationFailed() const { return m_reallocFailed; }

    struct Sets;

private:
    bool placeByIfo();
    void pack(uint32_t firstSector);
    bool correctCopies();
    void put(ImageNode *node, uint32_t offset);

    Reallocation m_mode;
    Loader m_loader;
    std::unique_ptr<Sets> m_sets;
    std::vector<Placed> m_placed;
    uint32_t m_sectors = 0;
    std::string m_warning;
    bool m_reallocFailed = false;
    int m_gapSet = 0;
    uint32_t m_gap = 0;
};

} // namespace image
