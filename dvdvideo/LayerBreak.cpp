#include "dvdvideo/LayerBreak.h"

#include "dvdvideo/IfoReader.h"
#include "dvdvideo/TitleCells.h"

#include <algorithm>
#include <map>
#include <optional>

namespace dvdvideo {
namespace {

struct PlacedTitle
{
    int title = 0;
    int set = 0;
    uint64_t vobStart = 0; // absolute sector of the set's title VOB
    uint64_t vobSectors = 0;
    TitleCellList cells;
};

// Every title whose set is on the disc and whose cells can be read.
std::vector<PlacedTitle> placedTitles(const LayerBreakInput &input)
{
    std::vector<PlacedTitle> out;
    const auto titles = ReadTitles(input.vmgIfo);
    if (!titles)
        return out;
    std::map<int, const SetOnDisc *> sets;
    for (const SetOnDisc &set : input.sets)
        sets[set.set] = &set;
    for (const TitleEntry &entry : *titles) {
        const auto set = sets.find(entry.set);
        if (set == sets.end())
            continue;
        const auto addresses = IfoReader::readVts(set->second->ifo);
        auto cells = ReadTitleCells(set->second->ifo, entry.setTitle);
        if (!addresses || !cells || cells->cells.empty() || addresses->titleVobStart == 0)
            continue;
        PlacedTitle placed{entry.title, entry.set, set->second->ifoSector + addresses->titleVobStart,
                           set->second->titleVobSectors, std::move(*cells)};
        for (const CellEntry &cell : placed.cells.cells)
            if (cell.lastSector >= placed.vobSectors)
                placed.cells.addressesDisagree = true;
        out.push_back(std::move(placed));
    }
    return out;
}

int rank(const BreakCandidate &c)
{
    return (c.seamless ? 2 : 0) + (c.chapterStart ? 0 : 1);
}

BreakChoice reasonOf(const BreakCandidate &c)
{
    static constexpr BreakChoice reasons[] = {BreakChoice::NonSeamlessChapterStart, BreakChoice::NonSeamless,
                                              BreakChoice::ChapterStart, BreakChoice::NearestMiddle};
    return reasons[rank(c)];
}

uint64_t distance(uint64_t a, uint64_t b)
{
    return a > b ? a - b : b - a;
}

// Names the place inside the film a break that is no cell start falls on.
void locate(LayerBreakPlan &plan, const std::vector<PlacedTitle> &titles, const PlacedTitle *main)
{
    std::vector<const PlacedTitle *> order;
    if (main)
        order.push_back(main);
    for (const PlacedTitle &t : titles)
        if (&t != main)
            order.push_back(&t);
    for (const PlacedTitle *t : order)
        for (const CellEntry &cell : t->cells.cells) {
            const uint64_t first = t->vobStart + cell.firstSector;
            const uint64_t last = t->vobStart + cell.lastSector;
            if (plan.breakSector < first || plan.breakSector > last)
                continue;
            plan.choice = BreakChoice::MidCell;
            plan.title = t->title;
            plan.chapter = cell.chapter;
            plan.timeMs = cell.startMs + (plan.breakSector - first) * cell.durationMs / (last - first + 1);
            return;
        }
    plan.choice = BreakChoice::OutsideFilm;
}

} // namespace

uint64_t MiddleBreak(uint64_t totalSectors)
{
    const uint64_t half = (totalSectors + 1) / 2;
    return (half + kEccBlockSectors - 1) / kEccBlockSectors * kEccBlockSectors;
}

LayerBreakPlan PlanLayerBreak(const LayerBreakInput &input)
{
    LayerBreakPlan plan;
    const std::vector<PlacedTitle> titles = placedTitles(input);
    const PlacedTitle *main = nullptr;
    for (const PlacedTitle &t : titles)
        if (!main || t.cells.durationMs > main->cells.durationMs)
            main = &t;
    if (main && !main->cells.addressesDisagree) {
        for (const CellEntry &cell : main->cells.cells) {
            // A break inside an angle block would leave some angles behind.
            if (cell.inAngleBlock)
                continue;
            BreakCandidate c;
            c.title = main->title;
            c.set = main->set;
            c.chapter = cell.chapter;
            c.cell = cell.cell;
            c.timeMs = cell.startMs;
            c.seamless = cell.seamless;
            c.chapterStart = cell.chapterStart;
            c.sector = main->vobStart + cell.firstSector;
            c.padding = uint32_t((kEccBlockSectors - c.sector % kEccBlockSectors) % kEccBlockSectors);
            const uint64_t layer0 = c.sector + c.padding;
            c.fits = 2 * layer0 >= input.totalSectors + c.padding && layer0 <= input.layer0Limit;
            plan.candidates.push_back(c);
        }
    }
    if (input.totalSectors <= input.layer0Limit)
        return plan;
    if (MiddleBreak(input.totalSectors) > input.layer0Limit) {
        plan.choice = BreakChoice::TooLarge;
        return plan;
    }
    const uint64_t middle = (input.totalSectors + 1) / 2;
    for (size_t i = 0; i < plan.candidates.size(); ++i) {
        const BreakCandidate &c = plan.candidates[i];
        if (!c.fits)
            continue;
        if (plan.chosen >= 0) {
            const BreakCandidate &best = plan.candidates[size_t(plan.chosen)];
            if (rank(c) > rank(best) ||
                (rank(c) == rank(best) &&
                 distance(c.sector + c.padding, middle) >= distance(best.sector + best.padding, middle)))
                continue;
        }
        plan.chosen = int(i);
    }
    if (plan.chosen >= 0) {
        const BreakCandidate &c = plan.candidates[size_t(plan.chosen)];
        plan.choice = reasonOf(c);
        plan.padding = c.padding;
        plan.breakSector = c.sector + c.padding;
        return plan;
    }
    plan.breakSector = MiddleBreak(input.totalSectors);
    if (main && main->cells.addressesDisagree) {
        plan.choice = BreakChoice::AddressesDisagree;
        plan.title = main->title;
        return plan;
    }
    locate(plan, titles, main);
    return plan;
}

} // namespace dvdvideo
