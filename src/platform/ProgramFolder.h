#pragma once

#include <QString>

// The folder that holds the running executable (found through
// /proc/self/exe, so a copied program folder is its own), without a
// trailing slash.
QString ProgramFolder();

// Makes ProgramFolder() answer this folder; an empty text restores the real one.
void SetProgramFolderForTesting(const QString &folder);
