#pragma once

#include "reclib_api.h"

#include <string>

namespace reclib {

// Folders deeper than this are refused; no disc a player reads comes close.
inline constexpr int MaxTreeDepth = 100;

// Walks the program's tree without trusting it: a null root, a cycle
// (an item reached twice) or a tree deeper than MaxTreeDepth is refused
// with the reason, before the image builder follows any pointer twice.
bool treeIsSound(const IsoItem *root, std::string &why);

} // namespace reclib
