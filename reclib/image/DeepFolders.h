#pragma once
// ECMA-119 allows eight directory levels, the root being the first. Where
// the tree goes deeper, the ISO 9660 and Joliet hierarchies show each folder
// that would sit on the ninth level under one top-level folder, RR_MOVED
// (the name common ISO writers use), with everything below it; from there
// the count starts again, so a very deep tree moves several times. The UDF
// tree and the file data keep the true structure. The DVD-Video folder is a
// top-level folder and so is never moved.

#include "image/ImageTree.h"

#include <string>
#include <vector>

namespace image {

class DeepFolders
{
public:
    static constexpr int kMaxLevels = 8;

    // Finds the folders to move; sets their isoRelocated mark.
    explicit DeepFolders(ImageTree &tree);
    DeepFolders(const DeepFolders &) = delete;
    DeepFolders &operator=(const DeepFolders &) = delete;

    bool any() const { return !m_moved.empty(); }
    // The top-level folder they appear in: no children of its own (its
    // contents are the moved folders), dated like the latest of them.
    const ImageNode &movedFolder() const { return m_movedFolder; }

    // The folders an ISO 9660 hierarchy lists inside folder, in the tree's
    // order: its own entries without the moved ones, and for the root the
    // RR_MOVED folder at the end; for RR_MOVED the moved folders.
    std::vector<const ImageNode *> isoChildren(const ImageNode &folder) const;

    // "/A/B/C" as the program named the entries.
    static std::string treePath(const ImageNode &node);

private:
    void visit(ImageNode &folder, int level);

    const ImageNode *m_root;
    std::vector<const ImageNode *> m_moved;
    ImageNode m_movedFolder;
};

} // namespace image
