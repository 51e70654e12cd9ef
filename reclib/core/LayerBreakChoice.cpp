#include "core/LayerBreakChoice.h"

#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <cstdio>

namespace reclib {
namespace {

using dvdvideo::BreakChoice;

std::string titleTime(uint64_t ms)
{
    const uint64_t s = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(s / 3600),
                  static_cast<unsigned long long>(s / 60 % 60), static_cast<unsigned long long>(s % 60));
    return text;
}

const char *reasonOf(BreakChoice choice)
{
    switch (choice) {
    case BreakChoice::NonSeamlessChapterStart:
        return "not seamless and a chapter start";
    case BreakChoice::NonSeamless:
        return "not seamless";
    case BreakChoice::ChapterStart:
        return "a chapter start";
    default:
        return "the cell start nearest the middle";
    }
}

std::string midScene(const dvdvideo::LayerBreakPlan &plan)
{
    return "The break falls inside title " + std::to_string(plan.title) + " chapter " +
           std::to_string(plan.chapter) + ", " + titleTime(plan.timeMs) + ": a player will pause mid-scene";
}

void logFallback(const dvdvideo::LayerBreakPlan &plan, int64_t at, const CallerSide &caller)
{
    const std::string sector = "Layer break at sector " + std::to_string(at);
    switch (plan.choice) {
    case BreakChoice::MidCell:
        caller.log(LOG_TEXT_WARNING, midScene(plan));
        break;
    case BreakChoice::AddressesDisagree:
        caller.log(LOG_TEXT_WARNING,
                   "The cells of title " + std::to_string(plan.title) +
                       " disagree with the cell address table or the VOB sizes, so the break "
                       "cannot be put on a cell boundary");
        break;
    case BreakChoice::OutsideFilm:
        caller.log(LOG_TEXT_INFO, sector + ", outside the film");
        return;
    default:
        break;
    }
    caller.log(LOG_TEXT_INFO, sector + ", the middle of the image");
}

} // namespace

int chooseLayerBreak(Recorder &recorder, IsoTrack *track, const CallerSide &caller, BurnRequest &request)
{
    const int64_t limit = recorder.layer0Limit();
    if (limit <= 0)
        return 0;
    if (request.imageSectors <= limit) {
        caller.log(LOG_TEXT_INFO, "The image fits on layer 0 of the dual-layer disc: no layer break");
        return 0;
    }
    image::ImageTrack *image = imageTrackOf(track);
    const auto plan = image ? image->planLayerBreak(uint64_t(limit)) : std::nullopt;
    request.imageSectors = track->vtbl->sizeInBlocks(track);
    if (plan)
        for (const dvdvideo::BreakCandidate &candidate : plan->candidates)
            request.cellStarts.push_back(int64_t(candidate.sector));
    if (plan && plan->chosen >= 0 && plan->padding == 0) {
        const dvdvideo::BreakCandidate &c = plan->candidates[size_t(plan->chosen)];
        request.layerBreak = int64_t(plan->breakSector);
        caller.log(LOG_TEXT_INFO,
                   "Layer break at sector " + std::to_string(plan->breakSector) + ": title " +
                       std::to_string(c.title) + ", chapter " + std::to_string(c.chapter) + ", cell " +
                       std::to_string(c.cell) + " at " + titleTime(c.timeMs) + " (" + reasonOf(plan->choice) +
                       ", chosen from " + std::to_string(plan->candidates.size()) + " cell starts); " +
                       std::to_string(image->layerPadding()) + " zero sectors put before " +
                       (image->layerPaddingSet() ? "title set " + std::to_string(image->layerPaddingSet())
                                                 : std::string("the DVD-Video files")));
        return 0;
    }
    request.layerBreak = int64_t(dvdvideo::MiddleBreak(uint64_t(request.imageSectors)));
    if (plan && plan->choice == BreakChoice::MidCell) {
        const std::string warning = midScene(*plan);
        if (caller.userDialog(DLG_LAYER_BREAK_MID_SCENE, const_cast<char *>(warning.c_str())) != 5) {
            caller.log(LOG_TEXT_ERROR, warning + "; nothing was written");
            return BURN_USER_ABORT;
        }
    }
    if (plan)
        logFallback(*plan, request.layerBreak, caller);
    else
        caller.log(LOG_TEXT_INFO, "Layer break at sector " + std::to_string(request.layerBreak) +
                                      ", the middle of the image");
    return 0;
}

} // namespace reclib
