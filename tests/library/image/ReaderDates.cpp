#include "ReaderDates.h"

#include "ImageTestSupport.h"

#include <filesystem>
#include <regex>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace imagetest {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian), so that dates
// before 1970 and after 2038 convert without the C library's time zone.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

} // namespace

DatedPaths sevenZipDates(const std::string &image)
{
    const CommandResult listing = run("TZ=UTC 7z l -slt '" + image + "'");
    DatedPaths dates;
    std::istringstream in(listing.output);
    static const std::regex modified(R"(^Modified = (-?\d+)-(\d+)-(\d+) (\d+):(\d+):(\d+).*$)");
    std::string line;
    std::string path;
    while (std::getline(in, line)) {
        std::smatch m;
        if (line.rfind("Path = ", 0) == 0) {
            path = line.substr(7);
        } else if (std::regex_match(line, m, modified)) {
            const int64_t days =
                daysFromCivil(std::stoll(m[1]), unsigned(std::stoi(m[2])), unsigned(std::stoi(m[3])));
            dates[path] = days * 86400 + std::stoll(m[4]) * 3600 + std::stoll(m[5]) * 60 + std::stoll(m[6]);
        }
    }
    return dates;
}

DatedPaths xorrisoExtractedDates(const std::string &image)
{
    const std::string into = tempDir("xorriso") + "/out";
    run("xorriso -osirrox on -indev '" + image + "' -extract / '" + into + "'");
    DatedPaths dates;
    if (!fs::exists(into))
        return dates;
    for (const auto &entry : fs::recursive_directory_iterator(into)) {
        struct stat info = {};
        if (::lstat(entry.path().c_str(), &info) == 0)
            dates[fs::relative(entry.path(), into).string()] = int64_t(info.st_mtim.tv_sec);
    }
    return dates;
}

bool setModified(const std::string &path, int64_t seconds)
{
    const struct timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

} // namespace imagetest
