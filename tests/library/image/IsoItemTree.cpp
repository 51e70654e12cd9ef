#include "IsoItemTree.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace imagetest {

IsoItem *IsoItemTree::append(IsoItem *parent)
{
    m_items.push_back(std::make_unique<IsoItem>());
    IsoItem *item = m_items.back().get();
    std::memset(item, 0, sizeof *item);
    IsoItem **link = parent ? &parent->firstChild : &m_first;
    while (*link)
        link = &(*link)->nextSibling;
    *link = item;
    return item;
}

IsoItem *IsoItemTree::addFolder(IsoItem *parent, const std::string &name)
{
    IsoItem *item = addFile(parent, name, "");
    item->directoryFlag = 1;
    return item;
}

IsoItem *IsoItemTree::addFile(IsoItem *parent, const std::string &name, const std::string &sourcePath)
{
    IsoItem *item = append(parent);
    std::snprintf(item->name, sizeof item->name, "%s", name.c_str());
    std::snprintf(item->sourcePath, sizeof item->sourcePath, "%s", sourcePath.c_str());
    return item;
}

void IsoItemTree::addFolderContents(IsoItem *parent, const std::string &folder, bool skipDvdNames)
{
    std::vector<fs::path> entries;
    for (const auto &entry : fs::directory_iterator(folder))
        entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    for (const auto &path : entries) {
        const std::string name = path.filename().string();
        if (skipDvdNames && (name == "VIDEO_TS" || name == "AUDIO_TS" || name == "JACKET_P"))
            continue;
        if (fs::is_directory(path))
            addFolderContents(addFolder(parent, name), path.string(), false);
        else
            addFile(parent, name, path.string());
    }
}

std::unique_ptr<IsoItemTree> IsoItemTree::fromDvdFolder(const std::string &folder)
{
    auto tree = std::make_unique<IsoItemTree>();
    IsoItem *audio = tree->addFolder(nullptr, "AUDIO_TS");
    if (fs::is_directory(folder + "/AUDIO_TS"))
        tree->addFolderContents(audio, folder + "/AUDIO_TS", false);
    IsoItem *video = tree->addFolder(nullptr, "VIDEO_TS");
    const std::string v = folder + "/VIDEO_TS/";
    const auto addIfThere = [&](const std::string &name) {
        if (fs::exists(v + name))
            tree->addFile(video, name, v + name);
    };
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.VOB", "VIDEO_TS.BUP"})
        addIfThere(name);
    for (int set = 1; set <= 99; ++set) {
        const std::string prefix = std::string(set < 10 ? "VTS_0" : "VTS_") + std::to_string(set) + "_";
        if (!fs::exists(v + prefix + "0.IFO"))
            continue;
        for (const std::string part : {"0.IFO", "0.VOB", "1.VOB", "2.VOB", "3.VOB", "4.VOB", "5.VOB", "6.VOB",
                                       "7.VOB", "8.VOB", "9.VOB", "0.BUP"})
            addIfThere(prefix + part);
    }
    tree->addFolderContents(nullptr, folder, true);
    return tree;
}

std::unique_ptr<IsoItemTree> IsoItemTree::fromFolder(const std::string &folder)
{
    auto tree = std::make_unique<IsoItemTree>();
    tree->addFolderContents(nullptr, folder, false);
    return tree;
}

} // namespace imagetest
