#include "jobs/tree/StorageVolumeNames.h"

#include <QDir>
#include <QStorageInfo>

std::optional<QString> StorageVolumeNames::NameOfRoot(const QString &rootPath) const
{
    const QString canonical = QDir(rootPath).canonicalPath();
    if (canonical.isEmpty())
        return std::nullopt;
    const QStorageInfo storage(canonical);
    // A folder inside a file system is not a drive root: its mount's label
    // would name something other than what the user picked.
    if (!storage.isValid() || !storage.isReady() || storage.rootPath() != canonical)
        return std::nullopt;
    return storage.name();
}
