// Times the DVD-Video preflight of a 4 GB folder against "cat" reading all
// of the folder's files to /dev/null, alternating runs so that both see the
// same warm page cache, and prints the medians and their ratio.
//
// preflight_bench <folder> [runs]   the folder is made first if it is
//                                   missing: the IFO and BUP files of the
//                                   menu-less sample and four title VOB parts
//                                   (three of 1,073,709,056 bytes) that
//                                   repeat the sample's VOB up to 4 GiB
#include "dvdvideo/Preflight.h"

#include "Median.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr uint64_t kPartBytes = 1073709056;
constexpr uint64_t kFolderBytes = 4ull << 30;

bool WritePart(const fs::path &path, const std::vector<char> &pattern, uint64_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    for (uint64_t done = 0; done < bytes && out;) {
        const uint64_t n = std::min<uint64_t>(pattern.size(), bytes - done);
        out.write(pattern.data(), std::streamsize(n));
        done += n;
    }
    return bool(out);
}

bool MakeFolder(const fs::path &root)
{
    const fs::path sample = fs::path(ORVANE_SOURCE_DIR) / "samples/dvd-menuless/VIDEO_TS";
    const fs::path videoTs = root / "VIDEO_TS";
    fs::create_directories(videoTs);
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP", "VTS_01_0.IFO", "VTS_01_0.BUP"})
        fs::copy_file(sample / name, videoTs / name, fs::copy_options::overwrite_existing);
    std::ifstream vob(sample / "VTS_01_1.VOB", std::ios::binary);
    const std::vector<char> pattern{std::istreambuf_iterator<char>(vob), {}};
    uint64_t left = kFolderBytes - 4 * 6144 - 2 * 12288;
    for (int part = 1; left > 0; ++part) {
        const uint64_t bytes = std::min(left, kPartBytes);
        if (!WritePart(videoTs / ("VTS_01_" + std::to_string(part) + ".VOB"), pattern, bytes))
            return false;
        left -= bytes;
    }
    return true;
}

double CatSeconds(const fs::path &root)
{
    std::vector<std::string> args{"cat"};
    for (const auto &entry : fs::directory_iterator(root / "VIDEO_TS"))
        args.push_back(entry.path().string());
    std::vector<char *> argv;
    for (auto &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "cat", &actions, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) < 0)
        std::exit(1);
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double PreflightSeconds(const fs::path &root, size_t &findings)
{
    const auto start = Clock::now();
    findings = dvdvideo::RunPreflight(root.string(), dvdvideo::Reallocation::On).findings.size();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [runs]\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (!fs::exists(root) && !MakeFolder(root)) {
        std::fprintf(stderr, "cannot make %s\n", root.c_str());
        return 1;
    }
    CatSeconds(root); // warms the page cache
    std::vector<double> cat, preflight;
    size_t findings = 0;
    for (int i = 0; i < runs; ++i) {
        cat.push_back(CatSeconds(root));
        preflight.push_back(PreflightSeconds(root, findings));
    }
    const double c = Median(cat), p = Median(preflight);
    std::printf("cat %.3f s, preflight %.4f s (%zu findings), preflight/cat %.2f %% (target: under 2 %%)\n",
                c, p, findings, 100.0 * p / c);
    return 0;
}
