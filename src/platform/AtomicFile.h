#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces the file at path with bytes: they are written to a temporary file
// beside it, which is renamed over the old file only when every byte was
// written. On any failure (folder not writable, disk full, a file size limit)
// the old file stays as it was and false is returned.
bool WriteFileAtomically(const QString &path, QByteArrayView bytes);
