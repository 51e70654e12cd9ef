#pragma once
// The disc image track: turns an IsoItem tree into a UDF / ISO 9660 image
// that is streamed sector by sector through the current track interface of
// reclib_api.h.

#include "reclib_api.h"

#include <cstdint>
#include <functional>

// Creates a track for the tree starting at root (the top-level list), the
// volume label and the ISO track flags (ISO_TRACK_*).
//
// The whole layout is computed here: the tree is copied (nothing points into
// it afterwards), every source file's size is taken, the DVD-Video placement
// is decided and every directory and descriptor is serialised. The image is
// then produced by slots 3, 4 and 10 from the source files.
//
// Returns null only for a null root. Problems found while laying out are kept
// in the track: slot 27 (layoutError) for a tree that cannot be written (a
// missing source file, a file too large for the chosen file systems; the
// stream then fails with that text), slot 23 (reallocFailed) when
// ISO_TRACK_REALLOC was asked for and the IFO structure could not be
// understood, slot 24 (placementWarning) when the DVD-Video files could not
// be placed where their IFO files say.
//
// The ISO 9660 and Joliet trees hold at most eight levels: a folder deeper
// than that appears under a top-level RR_MOVED folder (with a number on a
// name clash), and the burn logs one line per move; the UDF tree keeps the
// true structure.
//
// Without ISO_TRACK_ISO9660 or ISO_TRACK_UDF an ISO 9660 volume is written
// anyway, since a disc with no file system would be unreadable; Joliet and
// Mode 2 always come with an ISO 9660 volume.
//
// The volume's own dates are SOURCE_DATE_EPOCH when that variable holds a
// valid number of seconds, else the current time. Each file carries its
// source's modification time, each folder the latest date below it (an
// empty one the volume's); with SOURCE_DATE_EPOCH set, no date is later
// than it, so the image of unchanged contents stays byte-identical.
//
// The track belongs to the caller; slot 0 (destroy, deleteFlag 1) frees it.
// Any thread may use a track, one thread at a time.
//
// stopRequested, when given, is asked now and then while the sources are
// opened; when it answers true the track is made incomplete (imageTrackOf
// says stopped()) and must be destroyed unburned.
IsoTrack *CreateIsoImageTrack(IsoItem *root, const char *label, uint32_t flags,
                              std::function<bool()> stopRequested = {});

namespace image {
class ImageTrack;
}

// The builder behind a track CreateIsoImageTrack made, for what the slots
// cannot do (writing the image straight into a file); null for any other
// track.
image::ImageTrack *imageTrackOf(IsoTrack *track);
