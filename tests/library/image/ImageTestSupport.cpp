#include "ImageTestSupport.h"

#include "StrictStructureCheck.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include <dvdread/dvd_reader.h>
#include <dvdread/dvd_udf.h>
#include <dvdread/ifo_read.h>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace imagetest {

std::string samplePath(const std::string &sample)
{
    return ORVANE_TEST_SOURCE_DIR "/samples/" + sample;
}

std::vector<uint64_t> cellStarts(const std::string &image, int set)
{
    std::vector<uint64_t> starts;
    dvd_reader_t *dvd = DVDOpen(image.c_str());
    if (!dvd)
        return starts;
    char name[32];
    std::snprintf(name, sizeof name, "/VIDEO_TS/VTS_%02d_1.VOB", set);
    uint32_t size = 0;
    const uint32_t vob = UDFFindFile(dvd, name, &size);
    if (ifo_handle_t *vts = vob ? ifoOpen(dvd, set) : nullptr) {
        const pgc_t *pgc = vts->vts_pgcit->pgci_srp[0].pgc;
        for (int c = 0; c < pgc->nr_of_cells; ++c)
            starts.push_back(uint64_t(vob) + pgc->cell_playback[c].first_sector);
        ifoClose(vts);
    }
    DVDClose(dvd);
    return starts;
}

std::string writeImage(IsoTrack *track, const std::string &path, uint32_t blocksPerRead)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return "cannot create " + path;
    const IsoTrackVtbl &t = *track->vtbl;
    std::vector<uint8_t> buffer(size_t(blocksPerRead) * SECTOR_SIZE);
    off_t offset = 0;
    std::string error;
    const bool opened = t.openStream(track) == 0;
    int32_t n = opened ? 1 : -1;
    while (n > 0 && (n = t.readBlocks(track, buffer.data(), blocksPerRead)) > 0) {
        const size_t bytes = size_t(n) * SECTOR_SIZE;
        const bool allZero = buffer[0] == 0 && std::memcmp(buffer.data(), buffer.data() + 1, bytes - 1) == 0;
        if (!allZero && ::pwrite(fd, buffer.data(), bytes, offset) != ssize_t(bytes))
            error = "cannot write " + path;
        offset += off_t(bytes);
    }
    if (n < 0)
        error = t.lastError(track) ? t.lastError(track) : "the stream failed without a reason";
    if (opened)
        t.closeStream(track);
    if (error.empty() && ::ftruncate(fd, offset) != 0)
        error = "cannot size " + path;
    ::close(fd);
    if (error.empty())
        for (const std::string &problem : imagecheck::strictStructureProblems(path))
            error += (error.empty() ? "strict structure check: " : "; ") + problem;
    return error;
}

CommandResult run(const std::string &command)
{
    CommandResult result;
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> chunk{};
    size_t n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        result.output.append(chunk.data(), n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<ListedEntry> isoinfoListing(const std::string &image, bool joliet)
{
    const CommandResult listing =
        run("isoinfo " + std::string(joliet ? "-J -j iso8859-1 " : "") + "-l -i '" + image + "'");
    std::vector<ListedEntry> entries;
    static const std::regex header(R"(^Directory listing of (.*)$)");
    // The flags after the extent print oddly for multi-extent records
    // ("FFFF" and no closing bracket), so they are matched loosely.
    static const std::regex line(
        R"(^([d-])\S*\s+\d+\s+\d+\s+\d+\s+(\d+)\s+\w+\s+\d+\s+\d+\s+\[\s*(\d+)\s+[0-9A-Fa-f]+\]?\s+(.*?)\s*$)");
    // This isoinfo knows no UTF-8 output; Latin-1 covers the names the tests use.
    std::string utf8;
    for (unsigned char c : listing.output)
        utf8 +=
            c < 0x80 ? std::string(1, char(c)) : std::string{char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    std::istringstream in(utf8);
    std::string text;
    std::string folder;
    while (std::getline(in, text)) {
        std::smatch m;
        if (std::regex_match(text, m, header)) {
            folder = m[1];
        } else if (std::regex_match(text, m, line)) {
            const std::string name = m[4];
            if (name == "." || name == "..")
                continue;
            entries.push_back({folder, name, std::stoull(m[2]), uint32_t(std::stoul(m[3])), m[1] == "d"});
        }
    }
    return entries;
}

std::vector<std::string> filesBelow(const std::string &folder)
{
    std::vector<std::string> out;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            out.push_back(fs::relative(entry.path(), folder).string());
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<uint8_t> readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string writeFile(const std::string &path, const std::string &bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void copyFolder(const std::string &from, const std::string &to)
{
    fs::copy(from, to, fs::copy_options::recursive);
}

std::string tempDir(const std::string &purpose)
{
    return testenv::makeTempDir(QString::fromStdString(purpose)).toStdString();
}

} // namespace imagetest
