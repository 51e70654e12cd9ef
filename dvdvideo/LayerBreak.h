#pragma once
// Where a dual-layer disc should move from layer 0 to layer 1. Players
// pause at the layer break; at the first sector of a cell of the main title
// (the longest) the pause falls between two pieces of the film instead of
// freezing a scene. On recordable dual-layer discs layer 1 runs back over
// layer 0, so layer 0 must hold at least half of the data, and the break is
// a whole ECC block (16 sectors).
//
// A cell start rarely sits on a 16-sector boundary. The image builder can
// put 0 to 15 zero sectors before the first DVD-Video file, which moves
// every DVD-Video file together without changing an IFO address; that
// aligns exactly one candidate, so the plan names the padding with the
// chosen break. Candidates are ranked: a cell that does not play
// seamlessly anyway and a chapter start are preferred, then the one
// nearest the middle of the disc.

#include <cstdint>
#include <vector>

namespace dvdvideo {

// A title set as laid out on the disc.
struct SetOnDisc
{
    int set = 0;
    uint64_t ifoSector = 0;       // absolute sector of VTS_nn_0.IFO, before any padding
    std::vector<uint8_t> ifo;     // as written to the disc (corrected when reallocated)
    uint64_t titleVobSectors = 0; // the sectors of VTS_nn_1.VOB ... VTS_nn_9.VOB together
};

struct LayerBreakInput
{
    std::vector<uint8_t> vmgIfo;
    std::vector<SetOnDisc> sets;
    uint64_t totalSectors = 0; // the whole compilation, before any padding
    uint64_t layer0Limit = 0;  // the largest layer 0 the disc allows
};

inline constexpr uint64_t kEccBlockSectors = 16;
// The largest layer 0 of a blank DVD+R DL disc, for plans made without one.
inline constexpr uint64_t kDvdPlusRDlLayer0Sectors = 2086912;

enum class BreakChoice {
    NotNeeded,               // everything fits on layer 0
    NonSeamlessChapterStart, // reasons a candidate was chosen, best first
    NonSeamless,
    ChapterStart,
    NearestMiddle,
    MidCell,           // no candidate fits: the break falls inside a cell (title, chapter, timeMs)
    OutsideFilm,       // no candidate fits: the break falls outside every cell
    AddressesDisagree, // the main title's cells disagree with the cell table or the VOB sizes
    TooLarge,          // layer 0 cannot hold half of the compilation
};

struct BreakCandidate
{
    int title = 0;
    int set = 0; // the title set holding the title
    int chapter = 0;
    int cell = 0;
    uint64_t timeMs = 0; // into the title
    bool seamless = false;
    bool chapterStart = false;
    uint64_t sector = 0;  // absolute, before any padding
    uint32_t padding = 0; // what would align it to 16 sectors
    bool fits = false;    // with that padding: layer 0 holds half and stays in its limit
};

struct LayerBreakPlan
{
    BreakChoice choice = BreakChoice::NotNeeded;
    // The main title's cell starts in playback order, listed even when no
    // break is needed.
    std::vector<BreakCandidate> candidates;
    int chosen = -1;          // index into candidates
    uint32_t padding = 0;     // sectors before the first DVD-Video file
    uint64_t breakSector = 0; // layer 0's size (the first sector of layer 1); 0: none
    // MidCell: where the break falls.
    int title = 0;
    int chapter = 0;
    uint64_t timeMs = 0;
};

LayerBreakPlan PlanLayerBreak(const LayerBreakInput &input);

// The smallest layer 0 for total sectors: half, rounded up to an ECC block.
uint64_t MiddleBreak(uint64_t totalSectors);

} // namespace dvdvideo
