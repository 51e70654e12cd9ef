#pragma once
// Test fixture: IsoItem records as the program would hand them to the
// library, owned by one object and freed with it.

#include "reclib_api.h"

#include <memory>
#include <string>
#include <vector>

namespace imagetest {

class IsoItemTree
{
public:
    IsoItemTree() = default;
    IsoItemTree(const IsoItemTree &) = delete;
    IsoItemTree &operator=(const IsoItemTree &) = delete;

    // Appends an entry to parent's list (null: the top level).
    IsoItem *addFolder(IsoItem *parent, const std::string &name);
    IsoItem *addFile(IsoItem *parent, const std::string &name, const std::string &sourcePath);

    // The top-level list as the program builds it for a DVD-Video root:
    // AUDIO_TS (with its contents), VIDEO_TS with the DVD-Video files in
    // player order, then every other entry of the folder.
    static std::unique_ptr<IsoItemTree> fromDvdFolder(const std::string &folder);
    // The folder's entries, sorted by name, recursively.
    static std::unique_ptr<IsoItemTree> fromFolder(const std::string &folder);

    IsoItem *root() const { return m_first; }

private:
    IsoItem *append(IsoItem *parent);
    void addFolderContents(IsoItem *parent, const std::string &folder, bool skipDvdNames);

    std::vector<std::unique_ptr<IsoItem>> m_items;
    IsoItem *m_first = nullptr;
};

} // namespace imagetest
