// Reads the input as a VMG and as a title set IFO, then writes addresses
// back into a copy, as the reallocation does; then runs the preflight's
// folder checks on a VIDEO_TS folder whose IFO files all hold the input,
// and plans a layer break on its cells.
#include "dvdvideo/FolderCheck.h"
#include "dvdvideo/IfoReader.h"
#include "dvdvideo/LayerBreak.h"
#include "dvdvideo/TitleCells.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void ReadAndCorrect(std::span<const uint8_t> input)
{
    std::vector<uint8_t> copy(input.begin(), input.end());
    if (auto vmg = dvdvideo::IfoReader::readVmg(input)) {
        for (auto &[set, start] : vmg->titleSetStarts)
            start += uint32_t(set);
        vmg->lastSector += 1;
        // An accepted IFO must accept its own corrections.
        if (!dvdvideo::IfoReader::writeVmg(copy, *vmg) || !dvdvideo::IfoReader::readVmg(copy))
            std::abort();
    }
    if (auto vts = dvdvideo::IfoReader::readVts(input)) {
        vts->titleVobStart += 1;
        if (!dvdvideo::IfoReader::writeVts(copy, *vts) || copy.size() != input.size())
            std::abort();
    }
}

// The input stands for every IFO and BUP; its first bytes also decide the
// VOB sizes, so the size checks see hostile numbers too.
void CheckFolder(std::span<const uint8_t> input)
{
    uint64_t vobSize = 0;
    for (size_t i = 0; i < input.size() && i < 8; ++i)
        vobSize = vobSize << 8 | input[i];
    std::vector<dvdvideo::FolderFile> files = {
        {"VIDEO_TS.IFO", input.size(), true},  {"VIDEO_TS.BUP", input.size(), true},
        {"VTS_01_0.IFO", input.size(), true},  {"vts_01_0.bup", input.size() / 2, true},
        {"VTS_01_1.VOB", vobSize, true},       {"VTS_01_3.VOB", vobSize >> 20, true},
        {"VTS_02_0.IFO", input.size(), false}, {"VTS_42_0.IFO", input.size(), true},
    };
    const auto loader = [&](const dvdvideo::FolderFile &file) -> std::optional<std::vector<uint8_t>> {
        return std::vector<uint8_t>(input.begin(),
                                    input.begin() + std::ptrdiff_t(std::min(file.size, input.size())));
    };
    for (const auto mode : {dvdvideo::Reallocation::Off, dvdvideo::Reallocation::On}) {
        if (dvdvideo::FolderCheck(files, loader).Run(mode).size() > 1000)
            std::abort(); // bounded by the 99 title sets
    }
}

// The input as the video manager and as every title set: the cell tables
// are read with hostile pointers and counts.
void PlanBreak(std::span<const uint8_t> input)
{
    dvdvideo::LayerBreakInput layout;
    layout.vmgIfo.assign(input.begin(), input.end());
    for (int set = 1; set <= 3; ++set)
        layout.sets.push_back({set, uint64_t(set) * 1000, layout.vmgIfo, 500});
    layout.totalSectors = 5000;
    layout.layer0Limit = 4000;
    for (int title = 0; title <= 3; ++title)
        if (const auto cells = dvdvideo::ReadTitleCells(input, title);
            cells && cells->cells.size() > 255 * 999)
            std::abort();
    const dvdvideo::LayerBreakPlan plan = dvdvideo::PlanLayerBreak(layout);
    if (plan.chosen >= int(plan.candidates.size()) || plan.breakSector % 16 != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::span<const uint8_t> input(data, size);
    ReadAndCorrect(input);
    CheckFolder(input);
    PlanBreak(input);
    return 0;
}
