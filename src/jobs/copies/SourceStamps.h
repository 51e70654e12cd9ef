#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace jobs {

// Every entry below a folder with what tells a changed file from the one the
// first copy read: device, inode, size, modification and change time. Two
// equal lists mean the next copy reads the same bytes as the first.
struct SourceStamp
{
    QString path;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;

    bool operator==(const SourceStamp &) const = default;
};

using SourceStamps = std::vector<SourceStamp>;

// The folder itself first, then its entries in name order.
SourceStamps TakeSourceStamps(const QString &folder);

} // namespace jobs
