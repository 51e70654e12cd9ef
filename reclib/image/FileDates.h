#pragma once
// The dates the file systems record for each entry: a file's own
// modification time, a folder's the latest date below it (an empty folder
// takes the volume's moment). With SOURCE_DATE_EPOCH set no entry is dated
// later than it, so that sources touched after that moment still give the
// same image. Dates outside what the records can hold move to the nearest
// one they can (ImageTime::recordable).

#include "image/ImageTree.h"

#include <ctime>
#include <optional>

namespace image {

// Settles every node's date, the root's included. latest: the moment no
// date may pass, if any.
void settleDates(ImageTree &tree, std::time_t volumeMoment, std::optional<std::time_t> latest);

} // namespace image
