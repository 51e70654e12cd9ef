#pragma once

#include "reclib_api.h"

#include <QStringList>

#include <cstdint>

// Which recorders the Devices list offers and which one it preselects.
namespace jobs {

// A recorder is listed when it is a writer (type 1, capability bit 0) that
// handles at least one medium of the requested media set.
bool IsListedRecorder(const DeviceInfo &device, uint32_t mediaSet);

// The library's Image Recorder, which writes an image file, not a disc: the
// entry the library lists under that name.
bool IsImageRecorder(const DeviceInfo &device);

// The entry to preselect: the first whose name begins with the stored name,
// letters compared without regard to case; the first entry when the stored
// name is empty or matches none. -1 for an empty list.
int PreselectRecorder(const QStringList &names, const QString &storedName);

// The Write Speed entry to select: the stored index when it is inside the
// list, else the last (fastest) entry.
int PreselectSpeed(int storedIndex, int count);

} // namespace jobs
