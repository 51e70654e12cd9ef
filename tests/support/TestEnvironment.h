#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Every test process runs inside its own temporary home: HOME, the XDG
// folders and both D-Bus addresses point into it, so no test can reach the
// user's files, a real system bus or the machine's power state.
namespace testenv {

// Creates the private folders and rewrites the environment. Call before any
// Qt object exists.
void isolate();

// The private root (HOME is <root>/home).
QString root();

// A fresh, empty folder under the private root, named after its purpose.
QString makeTempDir(const QString &purpose);

// Writes bytes to a file, making its folders; false when that failed.
bool writeFile(const QString &path, const QByteArray &bytes);
// A file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Copies a folder with everything below it (links are copied as the files
// they point to). False when anything could not be copied.
bool copyFolder(const QString &from, const QString &to);

} // namespace testenv

void PrintTo(const QString &text, std::ostream *os);
