#include "jobs/copies/SourceStamps.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>

#include <sys/stat.h>

namespace jobs {
namespace {

SourceStamp StampOf(const QString &path)
{
    SourceStamp stamp;
    stamp.path = path;
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp; // gone: the path alone, which no existing entry matches
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changedNs = int64_t(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return stamp;
}

} // namespace

SourceStamps TakeSourceStamps(const QString &folder)
{
    SourceStamps stamps{StampOf(folder)};
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        stamps.push_back(StampOf(entries.next()));
    std::sort(stamps.begin() + 1, stamps.end(),
              [](const SourceStamp &a, const SourceStamp &b) { return a.path < b.path; });
    return stamps;
}

} // namespace jobs
