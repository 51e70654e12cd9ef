#include "jobs/label/LabelFromFolder.h"

#include "jobs/label/VolumeLabel.h"
#include "jobs/tree/IVolumeNames.h"
#include "platform/CPathHelper.h"

namespace {

// The path as the root of a file system: trailing white space gone, one
// trailing separator.
QString AsRootPath(const QString &path)
{
    QString root = path;
    while (!root.isEmpty() && root.back().isSpace())
        root.chop(1);
    if (!root.endsWith('/'))
        root += '/';
    return root;
}

} // namespace

QString LabelFromFolder(const QString &path, int limit, IJobWindow &window, const IVolumeNames &volumes)
{
    QString label = CPathHelper().GetLastComponent(path);
    if (label.isEmpty() || label.contains(':')) {
        if (const std::optional<QString> volumeName = volumes.NameOfRoot(AsRootPath(path)))
            label = *volumeName;
    }
    return NormalizeVolumeLabel(label, limit, window);
}
