#pragma once

#include "jobs/tree/IVolumeNames.h"

#include <QStringList>

#include <map>

// Volume names by root path; remembers which roots were asked for.
class RecordingVolumeNames : public IVolumeNames
{
public:
    std::optional<QString> NameOfRoot(const QString &rootPath) const override
    {
        asked << rootPath;
        const auto found = names.find(rootPath);
        return found != names.end() ? std::optional<QString>(found->second) : std::nullopt;
    }

    std::map<QString, QString> names;
    mutable QStringList asked;
};
