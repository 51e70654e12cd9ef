#pragma once

#include "dvdvideo/SourceFile.h"

#include <QString>

#include <vector>

namespace jobs {

// One entry below a folder with what tells a changed file from the one the
// first copy read (device, inode, size, modification and change time; an
// entry that is gone keeps the path alone).
struct SourceEntryStamp
{
    QString path;
    dvdvideo::SourceStamp stamp;

    bool operator==(const SourceEntryStamp &) const = default;
};

// Two equal lists mean the next copy reads the same bytes as the first.
using SourceStamps = std::vector<SourceEntryStamp>;

// The folder (or image file) itself first, then its entries in name order.
SourceStamps TakeSourceStamps(const QString &folder);

} // namespace jobs
