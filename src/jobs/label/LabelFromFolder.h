#pragma once

#include <QString>

class IJobWindow;
class IVolumeNames;

// The label a source folder suggests: its last path component, or for the
// root of a mounted file system ("/", or a component with a drive colon)
// that file system's own label; cleaned with NormalizeVolumeLabel. When no
// label can be read the result is "NO_NAME".
QString LabelFromFolder(const QString &path, int limit, IJobWindow &window, const IVolumeNames &volumes);
