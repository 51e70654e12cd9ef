#include "jobs/tree/IsoTree.h"

#include <new>
#include <vector>

void FreeIsoTree(IsoItem *&root)
{
    std::vector<IsoItem *> pending;
    if (root != nullptr)
        pending.push_back(root);
    while (!pending.empty()) {
        IsoItem *item = pending.back();
        pending.pop_back();
        if (item->firstChild != nullptr)
            pending.push_back(item->firstChild);
        if (item->nextSibling != nullptr)
            pending.push_back(item->nextSibling);
        delete item;
    }
    root = nullptr;
}

IsoItem *NewIsoItem()
{
    return new (std::nothrow) IsoItem{};
}
