#include "image/FileDates.h"

#include <algorithm>

namespace image {
namespace {

void settleFile(ImageNode &file, std::optional<std::time_t> latest)
{
    if (!ImageTime::recordable(file.modified)) {
        file.modified = std::clamp<int64_t>(file.modified, ImageTime::kEarliest, ImageTime::kLatest);
        file.modifiedNanoseconds = 0;
    }
    if (latest && file.modified >= *latest) {
        file.modified = *latest;
        file.modifiedNanoseconds = 0;
    }
}

bool later(const ImageNode &a, const ImageNode &b)
{
    return a.modified != b.modified ? a.modified > b.modified : a.modifiedNanoseconds > b.modifiedNanoseconds;
}

// Post-order, so that a folder sees its subfolders' settled dates. The
// tree's depth is bounded when it is copied.
void settleFolder(ImageNode &folder, std::time_t volumeMoment, std::optional<std::time_t> latest)
{
    const ImageNode *newest = nullptr;
    for (auto &child : folder.children()) {
        if (child.isDirectory)
            settleFolder(child, volumeMoment, latest);
        else
            settleFile(child, latest);
        if (!newest || later(child, *newest))
            newest = &child;
    }
    folder.modified = newest ? newest->modified : volumeMoment;
    folder.modifiedNanoseconds = newest ? newest->modifiedNanoseconds : 0;
}

} // namespace

void settleDates(ImageTree &tree, std::time_t volumeMoment, std::optional<std::time_t> latest)
{
    settleFolder(tree.root(), volumeMoment, latest);
}

} // namespace image
