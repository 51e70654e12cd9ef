#pragma once

#include <QString>

class RegistryStore;

// Result codes of ReadRegistryString, with the registry's classic values.
namespace regresult {
enum : int {
    Success = 0,
    NotFound = 2,   // the key or the value does not exist
    MoreData = 234, // the value does not fit the caller's buffer
};
} // namespace regresult

// Reads one string value. value is emptied first and holds the text only on
// success. bufferBytes is the room the caller reserves, terminating zero
// included: a value whose UTF-8 form does not fit is refused with MoreData
// rather than cut, since a cut path would name another file.
int ReadRegistryString(const RegistryStore &root, const QString &keyPath, const QString &valueName,
                       QString &value, int bufferBytes);

// The desktop folder as the log files use it (buffer of 260 bytes); empty
// when it cannot be read.
QString DesktopFolder(const RegistryStore &root);
