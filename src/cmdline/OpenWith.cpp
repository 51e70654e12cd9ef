#include "cmdline/OpenWith.h"

#include <QFileInfo>

namespace cmdline {

std::optional<QString> ImageToOpen(const QStringList &arguments)
{
    if (arguments.size() != 1 || !arguments[0].endsWith(QLatin1String(".iso"), Qt::CaseInsensitive))
        return std::nullopt;
    const QFileInfo file(arguments[0]);
    if (!file.isFile())
        return std::nullopt;
    return file.absoluteFilePath();
}

} // namespace cmdline
