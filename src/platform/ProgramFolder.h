#pragma once

#include <QString>

// The folder that holds the running executable (found through
// /proc/self/exe, so a copied program folder is its own), without a
// trailing slash.
QString ProgramFolder();
