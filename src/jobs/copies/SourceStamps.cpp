#include "jobs/copies/SourceStamps.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>

#include <sys/stat.h>

namespace jobs {
namespace {

SourceEntryStamp StampOf(const QString &path)
{
    SourceEntryStamp entry{path, {}};
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &info) == 0)
        entry.stamp = dvdvideo::StampOf(info);
    return entry;
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
              [](const SourceEntryStamp &a, const SourceEntryStamp &b) { return a.path < b.path; });
    return stamps;
}

} // namespace jobs
