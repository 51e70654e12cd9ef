#pragma once
// The cells of the titles a video manager lists, read from the IFO files:
// the title search pointer table of VIDEO_TS.IFO names each title's set and
// its number there; the title set's chapter table, program chains and cell
// address table give every cell's sectors (relative to the set's title
// VOB), its playback time, its chapter and whether it plays seamlessly.
//
// Input is untrusted: every table pointer and count is checked against the
// buffer, and a cell whose playback information disagrees with the cell
// address table is reported, not guessed at.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dvdvideo {

struct TitleEntry
{
    int title = 0;    // 1-based, as the user counts
    int set = 0;      // VTS_nn
    int setTitle = 0; // the title's number inside its set
};

struct CellEntry
{
    int cell = 0;    // 1-based within the title, in playback order
    int chapter = 0; // 1-based
    bool chapterStart = false;
    bool seamless = false;
    bool inAngleBlock = false;
    uint32_t firstSector = 0; // relative to the set's title VOB
    uint32_t lastSector = 0;
    uint64_t startMs = 0; // time into the title
    uint64_t durationMs = 0;
};

struct TitleCellList
{
    std::vector<CellEntry> cells;
    uint64_t durationMs = 0;
    // A cell whose sectors differ from the cell address table's entry for it.
    bool addressesDisagree = false;
};

// The titles of a video manager IFO; nothing when it has no readable table.
std::optional<std::vector<TitleEntry>> ReadTitles(std::span<const uint8_t> vmgIfo);

// The cells of title setTitle of a title set IFO; nothing when its tables
// cannot be read.
std::optional<TitleCellList> ReadTitleCells(std::span<const uint8_t> vtsIfo, int setTitle);

} // namespace dvdvideo
