// orvane-imagecheck <image>: checks a DVD-Video disc image the way players
// and other systems will read it, with readers written elsewhere:
// libdvdread opens the VMG and every title set, isoinfo lists the ISO 9660
// (and Joliet) trees, libudfread gives the VIDEO_TS folder's order and where
// each file starts; and our own strict reader checks every UDF, ISO 9660
// and Joliet structure those readers forgive. Exit status 0 when every
// check passes.

#include "DvdVideoLayoutCheck.h"
#include "StrictStructureCheck.h"
#include "UdfImage.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

using namespace imagecheck;

namespace {

int problems = 0;

void problem(const std::string &text)
{
    std::printf("PROBLEM: %s\n", text.c_str());
    ++problems;
}

std::string capture(const std::string &command, int &status)
{
    std::string out;
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    std::array<char, 4096> chunk{};
    size_t n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        out.append(chunk.data(), n);
    status = ::pclose(pipe);
    return out;
}

std::string quoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void listWithIsoinfo(const std::string &image)
{
    int status = 0;
    const std::string description = capture("isoinfo -d -i " + quoted(image), status);
    if (status != 0 || description.find("ISO 9660") == std::string::npos) {
        std::printf("== no ISO 9660 volume\n");
        return;
    }
    std::printf("== ISO 9660 (isoinfo -l)\n%s", capture("isoinfo -l -i " + quoted(image), status).c_str());
    if (status != 0)
        problem("isoinfo cannot list the ISO 9660 tree");
    // isoinfo says "NO Joliet present" for a plain volume.
    const bool joliet = description.find("NO Joliet present") == std::string::npos &&
                        description.find("Joliet") != std::string::npos;
    if (joliet) {
        std::printf("== Joliet (isoinfo -J -l)\n%s",
                    capture("isoinfo -J -l -i " + quoted(image), status).c_str());
        if (status != 0)
            problem("isoinfo cannot list the Joliet tree");
    }
}

void openWithLibdvdread(const std::string &image)
{
    std::printf("== DVD-Video (libdvdread)\n");
    dvd_reader_t *dvd = DVDOpen(image.c_str());
    ifo_handle_t *vmg = dvd ? ifoOpen(dvd, 0) : nullptr;
    if (!vmg) {
        problem("libdvdread cannot open the VMG");
        if (dvd)
            DVDClose(dvd);
        return;
    }
    const int sets = vmg->vmgi_mat->vmg_nr_of_title_sets;
    std::printf("VMG: %d title sets, %d titles\n", sets, vmg->tt_srpt->nr_of_srpts);
    for (int set = 1; set <= sets; ++set) {
        ifo_handle_t *vts = ifoOpen(dvd, set);
        dvd_file_t *vobs = DVDOpenFile(dvd, set, DVD_READ_TITLE_VOBS);
        unsigned char block[DVD_VIDEO_LB_LEN] = {};
        const bool readable = vobs && DVDReadBlocks(vobs, 0, 1, block) == 1;
        const bool pack = block[0] == 0 && block[1] == 0 && block[2] == 1 && block[3] == 0xBA;
        std::printf("title set %d: IFO %s, title VOBs %s\n", set, vts ? "opens" : "FAILS",
                    readable && pack ? "start with a pack header" : "UNREADABLE");
        if (!vts || !readable || !pack)
            problem("title set " + std::to_string(set) + " cannot be read");
        if (vobs)
            DVDCloseFile(vobs);
        if (vts)
            ifoClose(vts);
    }
    ifoClose(vmg);
    DVDClose(dvd);
}

// VIDEO_TS.IFO, .VOB, .BUP, then per title set IFO, VOB parts 0 to 9, BUP.
std::vector<std::string> playerOrder(const std::vector<std::string> &present)
{
    std::vector<std::string> order;
    const auto take = [&](const std::string &name) {
        for (const auto &p : present)
            if (p == name)
                order.push_back(name);
    };
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.VOB", "VIDEO_TS.BUP"})
        take(name);
    for (int set = 1; set <= 99; ++set) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "VTS_%02d_", set);
        take(std::string(prefix) + "0.IFO");
        for (int part = 0; part <= 9; ++part)
            take(std::string(prefix) + std::to_string(part) + ".VOB");
        take(std::string(prefix) + "0.BUP");
    }
    return order;
}

void checkPlayerOrder(const std::string &image)
{
    std::printf("== VIDEO_TS order (libudfread)\n");
    UdfImage udf(image);
    if (!udf.isOpen()) {
        problem("libudfread cannot open the UDF volume");
        return;
    }
    std::vector<std::string> listed;
    for (const auto &entry : udf.list("/VIDEO_TS"))
        if (!entry.isFolder)
            listed.push_back(entry.name);
    const std::vector<std::string> expected = playerOrder(listed);
    uint32_t previous = 0;
    for (const std::string &name : expected) {
        const auto sector = udf.firstSector("/VIDEO_TS/" + name);
        const auto size = udf.size("/VIDEO_TS/" + name);
        std::printf("%-14s sector %8u  %12lld bytes\n", name.c_str(), sector ? *sector : 0,
                    static_cast<long long>(size ? *size : -1));
        if (sector && *sector <= previous && size && *size > 0)
            problem(name + " does not follow the file before it on the disc");
        if (sector && size && *size > 0)
            previous = *sector;
    }
    std::vector<std::string> listedDvd;
    for (const auto &name : listed)
        if (std::find(expected.begin(), expected.end(), name) != expected.end())
            listedDvd.push_back(name);
    if (listedDvd != expected)
        problem("the VIDEO_TS folder does not list its files in player order");
    for (const std::string &mismatch : placementMismatches(image))
        problem(mismatch);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <image>\n", argv[0]);
        return 2;
    }
    const std::string image = argv[1];
    listWithIsoinfo(image);
    openWithLibdvdread(image);
    checkPlayerOrder(image);
    const std::vector<std::string> structure = strictStructureProblems(image);
    std::printf("== strict structure check: %zu problem(s)\n", structure.size());
    for (const std::string &text : structure)
        problem(text);
    std::printf(problems ? "== %d problem(s)\n" : "== image is good\n", problems);
    return problems ? 1 : 0;
}
