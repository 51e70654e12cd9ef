#pragma once

#include <QString>
#include <optional>

// Where the label of a mounted file system comes from. The program asks the
// system; tests fill in the names they need.
class IVolumeNames
{
public:
    virtual ~IVolumeNames() = default;

    // The label of the file system mounted at rootPath (which ends in "/"),
    // or nothing when rootPath is not the root of a mounted file system or
    // its label cannot be read. A file system without a label answers "".
    virtual std::optional<QString> NameOfRoot(const QString &rootPath) const = 0;
};
