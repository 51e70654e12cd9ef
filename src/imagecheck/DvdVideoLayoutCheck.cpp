#include "DvdVideoLayoutCheck.h"

#include "UdfImage.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <cstdarg>
#include <cstdio>
#include <optional>

namespace imagecheck {
namespace {

// libdvdread's own messages would reach the program's log output (and
// break the JSON lines of --json).
void Quiet(void *, dvd_logger_level_t, const char *, va_list) {}
const dvd_logger_cb kQuietLogger{&Quiet};

std::string vtsName(int set, int part, const char *ext)
{
    char name[16];
    std::snprintf(name, sizeof name, "VTS_%02d_%d.%s", set, part, ext);
    return name;
}

struct Located
{
    std::optional<uint32_t> start;
    uint32_t sectors = 0;
};

Located locate(const UdfImage &udf, const std::string &name)
{
    const std::string path = "/VIDEO_TS/" + name;
    const auto size = udf.size(path);
    if (!size)
        return {};
    return {udf.firstSector(path), uint32_t((*size + 2047) / 2048)};
}

void expectAt(std::vector<std::string> &out, const std::string &what, const Located &file, uint64_t sector)
{
    if (file.start && *file.start != sector)
        out.push_back(what + " starts at " + std::to_string(*file.start) + ", its IFO says " +
                      std::to_string(sector));
}

void expectEndAt(std::vector<std::string> &out, const std::string &what, const Located &file, uint64_t last)
{
    if (file.start && *file.start + file.sectors - 1 != last)
        out.push_back(what + " ends at " + std::to_string(*file.start + file.sectors - 1) +
                      ", its IFO says " + std::to_string(last));
}

} // namespace

std::vector<std::string> placementMismatches(const std::string &image)
{
    std::vector<std::string> out;
    UdfImage udf(image);
    dvd_reader_t *dvd = DVDOpen2(nullptr, &kQuietLogger, image.c_str());
    ifo_handle_t *vmg = dvd ? ifoOpen(dvd, 0) : nullptr;
    const Located vmgIfo = locate(udf, "VIDEO_TS.IFO");
    if (!vmg || !vmgIfo.start) {
        out.push_back("the VMG cannot be opened");
        if (dvd)
            DVDClose(dvd);
        return out;
    }
    const uint32_t base = *vmgIfo.start;
    const auto *mat = vmg->vmgi_mat;
    if (mat->vmgm_vobs)
        expectAt(out, "VIDEO_TS.VOB", locate(udf, "VIDEO_TS.VOB"), base + mat->vmgm_vobs);
    expectEndAt(out, "VIDEO_TS.BUP", locate(udf, "VIDEO_TS.BUP"), base + mat->vmg_last_sector);
    for (int i = 0; i < vmg->tt_srpt->nr_of_srpts; ++i) {
        const auto &title = vmg->tt_srpt->title[i];
        expectAt(out, vtsName(title.title_set_nr, 0, "IFO"),
                 locate(udf, vtsName(title.title_set_nr, 0, "IFO")), base + title.title_set_sector);
    }
    for (int set = 1; set <= mat->vmg_nr_of_title_sets; ++set) {
        ifo_handle_t *vts = ifoOpen(dvd, set);
        const Located ifo = locate(udf, vtsName(set, 0, "IFO"));
        if (!vts || !ifo.start) {
            out.push_back("title set " + std::to_string(set) + " cannot be opened");
            if (vts)
                ifoClose(vts);
            continue;
        }
        const uint32_t setBase = *ifo.start;
        const auto *vmat = vts->vtsi_mat;
        if (vmat->vtsm_vobs)
            expectAt(out, vtsName(set, 0, "VOB"), locate(udf, vtsName(set, 0, "VOB")),
                     setBase + vmat->vtsm_vobs);
        uint64_t next = setBase + vmat->vtstt_vobs;
        for (int part = 1; part <= 9; ++part) {
            const Located vob = locate(udf, vtsName(set, part, "VOB"));
            if (!vob.start)
                continue;
            expectAt(out, vtsName(set, part, "VOB"), vob, next);
            next = *vob.start + vob.sectors;
        }
        expectEndAt(out, vtsName(set, 0, "BUP"), locate(udf, vtsName(set, 0, "BUP")),
                    setBase + vmat->vts_last_sector);
        ifoClose(vts);
    }
    ifoClose(vmg);
    DVDClose(dvd);
    return out;
}

std::vector<std::string> sharedBlocks(const std::string &image)
{
    std::vector<std::string> out;
    UdfImage udf(image);
    std::vector<std::pair<std::string, std::string>> pairs{{"VIDEO_TS.IFO", "VIDEO_TS.BUP"}};
    for (int set = 1; set <= 99; ++set)
        pairs.emplace_back(vtsName(set, 0, "IFO"), vtsName(set, 0, "BUP"));
    for (const auto &[ifoName, bupName] : pairs) {
        const Located ifo = locate(udf, ifoName);
        const Located bup = locate(udf, bupName);
        if (ifo.start && bup.start && (*ifo.start + ifo.sectors - 1) / 16 == *bup.start / 16)
            out.push_back(ifoName + " and " + bupName + " share block " + std::to_string(*bup.start / 16));
    }
    return out;
}

} // namespace imagecheck
