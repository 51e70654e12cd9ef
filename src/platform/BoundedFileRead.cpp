#include "platform/BoundedFileRead.h"

#include "sysio/RegularFileRead.h"

#include <QFile>

std::optional<QByteArray> ReadRegularFile(const QString &path, qint64 maxBytes)
{
    if (path.isEmpty() || maxBytes < 0)
        return std::nullopt;
    const std::optional<std::vector<uint8_t>> bytes =
        sysio::readRegularFile(QFile::encodeName(path).toStdString(), static_cast<uint64_t>(maxBytes));
    if (!bytes)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char *>(bytes->data()), static_cast<qsizetype>(bytes->size()));
}
