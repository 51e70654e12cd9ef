#include "platform/AtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile::commit() alone does not notice a short write while it
    // flushes its buffer (the file would be replaced by a truncated one),
    // so the flush is made and checked here first.
    const bool written = file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush() &&
                         file.error() == QFileDevice::NoError;
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
