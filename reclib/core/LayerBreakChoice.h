#pragma once
// The layer break of a burn onto a dual-layer disc: for an image of our own
// builder holding DVD-Video, the planner's cell start (the image laid out
// again with the padding that aligns it); otherwise, or when no cell start
// fits, the middle of the image. The plan goes to the log.

#include "core/CallerSide.h"
#include "core/Recorder.h"

namespace reclib {

// Sets request.layerBreak (0 when the disc has one layer or the image fits
// on layer 0) and request.imageSectors (the padding may add sectors). A
// break inside a scene is asked about (DLG_LAYER_BREAK_MID_SCENE): 0, or
// BURN_USER_ABORT when the answer is no.
int chooseLayerBreak(Recorder &recorder, IsoTrack *track, const CallerSide &caller, BurnRequest &request);

} // namespace reclib
