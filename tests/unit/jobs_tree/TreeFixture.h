#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

struct IsoItem;

// Builds source folders on disk for the compilation and size tests.
namespace fixture {

// Creates a file (and its folders) below root; size bytes long, sparse.
void MakeFile(const QString &root, const QString &relativePath, std::int64_t size = 0);
void MakeFolder(const QString &root, const QString &relativePath);
void MakeLink(const QString &root, const QString &relativePath, const QString &target);

// A VIDEO_TS folder with the manager's files and the given title-set files.
void MakeVideoTs(const QString &folder, const QStringList &titleSetFiles);

// The tree as lines in depth-first order: "NAME/" for a folder, "NAME" for
// a file, children indented by two blanks per level.
QStringList Describe(const IsoItem *root);
// The names of one folder's entries, in order.
QStringList ChildNames(const IsoItem *folder);
// The top-level entry of that name, or null.
const IsoItem *FindTop(const IsoItem *root, const char *name);

} // namespace fixture
