#pragma once
// A layer-break plan in words: the candidate cell starts, then the chosen
// break and why, or where the break falls when no cell start fits.

#include "dvdvideo/LayerBreak.h"
#include "jobs/burn/DvdVideoPreflight.h"

#include <QStringList>

namespace jobs {

// Sectors are given relative to firstDvdSector (the sector of
// VIDEO_TS.IFO before any padding), as a user counts them in the folder.
QStringList LayerBreakLines(const dvdvideo::LayerBreakPlan &plan, uint64_t firstDvdSector,
                            const TextLookup &text);

// The warning line alone, for a plan whose break falls inside a scene or
// outside every cell; empty otherwise.
QString LayerBreakWarning(const dvdvideo::LayerBreakPlan &plan, const TextLookup &text);

// "1:02:03"
QString TitleTime(uint64_t ms);

} // namespace jobs
