#pragma once

#include "reclib_api.h"

#include <memory>

// Frees a compilation tree: the record, everything reachable through its
// sibling chain and through its child chains; then sets root to null. Safe
// on null. Iterative, so neither a long folder nor a deep one can exhaust
// the stack.
void FreeIsoTree(IsoItem *&root);

// Allocates one zero-filled record, or null when memory runs out. The
// record belongs to whoever links it into a tree owned by an IsoTree.
IsoItem *NewIsoItem();

// The records of a tree are plain C records the recording library reads, so
// they are allocated one by one; this deleter lets a unique_ptr own a whole
// tree through its root.
struct IsoTreeDeleter
{
    void operator()(IsoItem *root) const { FreeIsoTree(root); }
};

// Owner of a compilation tree: whatever path a build or a burn takes, the
// tree is freed exactly once.
using IsoTree = std::unique_ptr<IsoItem, IsoTreeDeleter>;
