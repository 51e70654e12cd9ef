#pragma once

#include <QString>

// Total size in bytes of every file below path, at any depth: hidden files,
// files the disc leaves off and files over 4 GB with their full size. Links
// to files count with their target's size; links to folders are not
// followed, so a link loop cannot make the scan endless. A folder that
// cannot be read adds 0. Trailing "/" are ignored.
double GetFolderSize(const QString &path);
