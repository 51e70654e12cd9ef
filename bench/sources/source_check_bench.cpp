// Times what the burn does with its sources before the erase against find's
// stat walk ("find FOLDER -type f -printf '%s\n'") of the same folder,
// alternating runs so that both see the same warm caches, and prints the
// medians and their ratios:
//   - opening and stamping every source, as the image track does when it is
//     made (the copy of the tree of records included), for 100,000 small
//     files in 1,000 folders and for a 4 GiB DVD-Video folder;
//   - the DVD-Video check of that folder, timed on its own.
//
// source_check_bench <work folder> [runs]   both folders are made below the
//                                           work folder if missing; the VOBs
//                                           are sparse
#include "ItemTree.h"

#include "dvdvideo/Preflight.h"
#include "image/ImageTree.h"

#include "Median.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr uint64_t kPartBytes = 1073709056;
constexpr uint64_t kFolderBytes = 4ull << 30;

bool MakeSmallFiles(const fs::path &root)
{
    const std::string bytes(200, 'x');
    for (int folder = 0; folder < 1000; ++folder) {
        const fs::path dir = root / ("folder" + std::to_string(folder));
        fs::create_directories(dir);
        for (int file = 0; file < 100; ++file) {
            const std::string path = (dir / ("file" + std::to_string(file) + ".dat")).string();
            const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || ::write(fd, bytes.data(), size_t(100 + file)) < 0)
                return false;
            ::close(fd);
        }
    }
    return true;
}

bool MakeDvdFolder(const fs::path &root)
{
    const fs::path sample = fs::path(ORVANE_SOURCE_DIR) / "samples/dvd-menuless/VIDEO_TS";
    const fs::path videoTs = root / "VIDEO_TS";
    fs::create_directories(videoTs);
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP", "VTS_01_0.IFO", "VTS_01_0.BUP"})
        fs::copy_file(sample / name, videoTs / name, fs::copy_options::overwrite_existing);
    uint64_t left = kFolderBytes - 4 * 6144 - 2 * 12288;
    for (int part = 1; left > 0; ++part) {
        const uint64_t bytes = std::min(left, kPartBytes);
        const std::string path = (videoTs / ("VTS_01_" + std::to_string(part) + ".VOB")).string();
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::ftruncate(fd, off_t(bytes)) != 0)
            return false;
        ::close(fd);
        left -= bytes;
    }
    return true;
}

double FindSeconds(const fs::path &root)
{
    const std::string folder = root.string();
    const char *argv[] = {"find", folder.c_str(), "-type", "f", "-printf", "%s\n", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char **>(argv), environ) != 0 ||
        waitpid(pid, &status, 0) < 0)
        std::exit(1);
    const auto end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(end - start).count();
}

// The image tree of the records: every file opened once, fstat'ed, stamped.
double OpenAndStampSeconds(bench::ItemTree &items, int &files)
{
    const auto start = Clock::now();
    const image::ImageTree tree(items.root());
    const auto end = Clock::now();
    files = tree.fileCount();
    if (tree.firstMissing())
        std::fprintf(stderr, "refused: %s\n", tree.firstMissing()->sourcePath().c_str());
    return std::chrono::duration<double>(end - start).count();
}

double CheckSeconds(const fs::path &root, size_t &findings)
{
    const auto start = Clock::now();
    findings = dvdvideo::RunPreflight(root.string(), dvdvideo::Reallocation::On).findings.size();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <work folder> [runs]\n", argv[0]);
        return 2;
    }
    const fs::path work = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path small = work / "small-files";
    const fs::path dvd = work / "dvd-4GiB";
    if ((!fs::exists(small) && !MakeSmallFiles(small)) || (!fs::exists(dvd) && !MakeDvdFolder(dvd))) {
        std::fprintf(stderr, "cannot make the folders below %s\n", work.c_str());
        return 1;
    }
    bench::ItemTree smallItems;
    smallItems.addFolder(nullptr, small, false);
    bench::ItemTree dvdItems;
    dvdItems.addDvd(dvd);

    FindSeconds(small); // warms the caches
    FindSeconds(dvd);
    std::vector<double> findSmall, openSmall, findDvd, openDvd, check;
    int smallFiles = 0, dvdFiles = 0;
    size_t findings = 0;
    for (int i = 0; i < runs; ++i) {
        findSmall.push_back(FindSeconds(small));
        openSmall.push_back(OpenAndStampSeconds(smallItems, smallFiles));
        findDvd.push_back(FindSeconds(dvd));
        openDvd.push_back(OpenAndStampSeconds(dvdItems, dvdFiles));
        check.push_back(CheckSeconds(dvd, findings));
    }
    const double fs1 = Median(findSmall), os1 = Median(openSmall);
    const double fd = Median(findDvd), od = Median(openDvd), c = Median(check);
    std::printf("%d small files: find %.4f s, open+stamp %.4f s, ratio %.2fx (target: at most 3x)\n",
                smallFiles, fs1, os1, os1 / fs1);
    std::printf("4 GiB DVD-Video folder (%d files): find %.4f s, open+stamp %.5f s, ratio %.2fx\n", dvdFiles,
                fd, od, od / fd);
    std::printf("DVD-Video check of that folder: %.4f s (%zu findings), %.2fx the walk\n", c, findings,
                c / fd);
    return 0;
}
