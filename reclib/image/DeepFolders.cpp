#include "image/DeepFolders.h"

namespace image {
namespace {

// RR_MOVED sits on the second level, so a moved folder is on the third.
constexpr int kMovedLevel = 3;

} // namespace

DeepFolders::DeepFolders(ImageTree &tree) : m_root(&tree.root()), m_movedFolder("RR_MOVED", true)
{
    m_movedFolder.parent = &tree.root();
    m_movedFolder.modified = tree.root().modified;
    m_movedFolder.modifiedNanoseconds = tree.root().modifiedNanoseconds;
    visit(tree.root(), 1);
    if (!m_moved.empty()) {
        const ImageNode *newest = m_moved.front();
        for (const ImageNode *node : m_moved)
            if (node->modified > newest->modified ||
                (node->modified == newest->modified &&
                 node->modifiedNanoseconds > newest->modifiedNanoseconds))
                newest = node;
        m_movedFolder.modified = newest->modified;
        m_movedFolder.modifiedNanoseconds = newest->modifiedNanoseconds;
    }
}

// The tree's depth is bounded when it is copied, so recursion is safe.
void DeepFolders::visit(ImageNode &folder, int level)
{
    for (auto &child : folder.children()) {
        if (!child.isDirectory)
            continue;
        int childLevel = level + 1;
        if (childLevel > kMaxLevels) {
            child.isoRelocated = true;
            m_moved.push_back(&child);
            childLevel = kMovedLevel;
        }
        visit(child, childLevel);
    }
}

std::vector<const ImageNode *> DeepFolders::isoChildren(const ImageNode &folder) const
{
    if (&folder == &m_movedFolder)
        return m_moved;
    std::vector<const ImageNode *> out;
    out.reserve(folder.children().size() + 1);
    for (const auto &child : folder.children())
        if (!child.isoRelocated)
            out.push_back(&child);
    if (&folder == m_root && any())
        out.push_back(&m_movedFolder);
    return out;
}

std::string DeepFolders::treePath(const ImageNode &node)
{
    std::string path;
    for (const ImageNode *at = &node; at && at->parent; at = at->parent)
        path.insert(0, "/" + std::string(at->name()));
    return path.empty() ? "/" : path;
}

} // namespace image
