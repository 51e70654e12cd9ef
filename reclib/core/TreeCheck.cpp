#include "core/TreeCheck.h"

#include <unordered_set>
#include <utility>
#include <vector>

namespace reclib {

bool treeIsSound(const IsoItem *root, std::string &why)
{
    if (root == nullptr) {
        why = "The file tree is empty";
        return false;
    }
    std::unordered_set<const IsoItem *> seen;
    std::vector<std::pair<const IsoItem *, int>> pending{{root, 0}};
    while (!pending.empty()) {
        const auto [item, depth] = pending.back();
        pending.pop_back();
        for (const IsoItem *sibling = item; sibling != nullptr; sibling = sibling->nextSibling) {
            if (!seen.insert(sibling).second) {
                why = "The file tree contains a loop";
                return false;
            }
            if (sibling->directoryFlag != 0 && sibling->firstChild != nullptr) {
                if (depth + 1 > MaxTreeDepth) {
                    why = "The file tree is deeper than " + std::to_string(MaxTreeDepth) + " folders";
                    return false;
                }
                pending.emplace_back(sibling->firstChild, depth + 1);
            }
        }
    }
    return true;
}

} // namespace reclib
