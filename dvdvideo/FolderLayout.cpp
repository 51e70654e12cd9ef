#include "dvdvideo/FolderLayout.h"

#include "dvdvideo/IfoReader.h"

#include <algorithm>

namespace dvdvideo {
std::optional<LayerBreakInput> FolderLayout(const FolderCheck &check, const std::vector<int> &sets,
                                            const FolderCheck::Loader &load)
{
    const FolderFile *vmgFile = check.Find("VIDEO_TS.IFO");
    auto vmg = vmgFile ? load(*vmgFile) : std::nullopt;
    const auto addresses = vmg ? IfoReader::readVmg(*vmg) : std::nullopt;
    if (!addresses)
        return std::nullopt;
    LayerBreakInput input;
    input.vmgIfo = std::move(*vmg);
    for (const int set : sets) {
        const auto start = addresses->titleSetStarts.find(set);
        const FolderFile *ifoFile = check.Find(TitleSetFileName(set, 0, "IFO"));
        auto ifo = ifoFile && start != addresses->titleSetStarts.end() ? load(*ifoFile) : std::nullopt;
        const auto vts = ifo ? IfoReader::readVts(*ifo) : std::nullopt;
        if (!vts)
            continue;
        uint64_t vobBytes = 0;
        for (int part = 1; part <= 9; ++part)
            if (const FolderFile *vob = check.Find(TitleSetFileName(set, part, "VOB")))
                vobBytes += vob->size;
        input.totalSectors =
            std::max<uint64_t>(input.totalSectors, uint64_t(start->second) + vts->lastSector + 1);
        input.sets.push_back({set, start->second, std::move(*ifo), vobBytes / kSectorBytes});
    }
    if (input.sets.empty())
        return std::nullopt;
    return input;
}

} // namespace dvdvideo
