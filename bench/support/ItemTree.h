#pragma once

#include "reclib_api.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace bench {

// The IsoItem records of one folder tree, built the way the program builds
// them for a DVD-Video root (VIDEO_TS files in player order first).
class ItemTree
{
public:
    IsoItem *add(IsoItem *parent, const std::string &name, const std::string &source, bool folder)
    {
        m_items.push_back(std::make_unique<IsoItem>());
        IsoItem *item = m_items.back().get();
        std::memset(item, 0, sizeof *item);
        std::snprintf(item->name, sizeof item->name, "%s", name.c_str());
        std::snprintf(item->sourcePath, sizeof item->sourcePath, "%s", source.c_str());
        item->directoryFlag = folder ? 1 : 0;
        // Appending remembers each list's last entry: walking the list would
        // make a folder of 200,000 files take quadratic time here.
        IsoItem *&last = m_last[parent];
        (last ? last->nextSibling : parent ? parent->firstChild : m_first) = item;
        last = item;
        return item;
    }
    void addFolder(IsoItem *parent, const std::filesystem::path &folder, bool top)
    {
        std::vector<std::filesystem::path> entries;
        for (const auto &e : std::filesystem::directory_iterator(folder))
            entries.push_back(e.path());
        std::sort(entries.begin(), entries.end());
        for (const auto &p : entries) {
            const std::string name = p.filename().string();
            if (top && (name == "VIDEO_TS" || name == "AUDIO_TS"))
                continue;
            if (std::filesystem::is_directory(p))
                addFolder(add(parent, name, "", true), p, false);
            else
                add(parent, name, p.string(), false);
        }
    }
    void addDvd(const std::filesystem::path &root)
    {
        add(nullptr, "AUDIO_TS", "", true);
        IsoItem *video = add(nullptr, "VIDEO_TS", "", true);
        const std::filesystem::path v = root / "VIDEO_TS";
        const auto file = [&](const std::string &name) {
            if (std::filesystem::exists(v / name))
                add(video, name, (v / name).string(), false);
        };
        file("VIDEO_TS.IFO");
        file("VIDEO_TS.VOB");
        file("VIDEO_TS.BUP");
        for (int set = 1; set <= 99; ++set) {
            char p[16];
            std::snprintf(p, sizeof p, "VTS_%02d_", set);
            if (!std::filesystem::exists(v / (std::string(p) + "0.IFO")))
                continue;
            file(std::string(p) + "0.IFO");
            for (int part = 0; part <= 9; ++part)
                file(std::string(p) + std::to_string(part) + ".VOB");
            file(std::string(p) + "0.BUP");
        }
        addFolder(nullptr, root, true);
    }
    IsoItem *root() { return m_first; }

private:
    std::vector<std::unique_ptr<IsoItem>> m_items;
    IsoItem *m_first = nullptr;
    std::unordered_map<IsoItem *, IsoItem *> m_last; // list owner (null: the top) -> its last entry
};

} // namespace bench
