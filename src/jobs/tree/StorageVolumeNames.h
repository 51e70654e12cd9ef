#pragma once

#include "jobs/tree/IVolumeNames.h"

// Volume labels of the mounted file systems, as the system reports them.
class StorageVolumeNames : public IVolumeNames
{
public:
    std::optional<QString> NameOfRoot(const QString &rootPath) const override;
};
