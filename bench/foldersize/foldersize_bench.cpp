// Times GetFolderSize against "du -sb" on the same tree, alternating runs so
// that both see the same warm caches, and prints the medians and their ratio.
//
// foldersize_bench <tree> [runs]   the tree is made first if it is missing:
//                                  1,000 folders of 100 files each
#include "jobs/label/FolderSize.h"

#include "Median.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

bool MakeTree(const std::string &root)
{
    if (::mkdir(root.c_str(), 0755) != 0)
        return false;
    for (int folder = 0; folder < 1000; ++folder) {
        const std::string dir = root + "/folder" + std::to_string(folder);
        ::mkdir(dir.c_str(), 0755);
        for (int file = 0; file < 100; ++file) {
            const std::string path = dir + "/file" + std::to_string(file) + ".vob";
            const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
            if (fd < 0 || ::ftruncate(fd, 1000 + folder * 100 + file) != 0)
                return false;
            ::close(fd);
        }
    }
    return true;
}

double TimeDu(const std::string &root)
{
    const char *argv[] = {"du", "-sb", root.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "du", &actions, nullptr, const_cast<char **>(argv), environ) != 0)
        std::exit(2);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(end - start).count();
}

double TimeGetFolderSize(const std::string &root, double &size)
{
    const auto start = Clock::now();
    size = GetFolderSize(QString::fromStdString(root));
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <tree> [runs]\n", argv[0]);
        return 1;
    }
    const std::string root = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;
    struct stat info
    {
    };
    if (::stat(root.c_str(), &info) != 0 && !MakeTree(root)) {
        std::fprintf(stderr, "cannot make the tree at %s\n", root.c_str());
        return 1;
    }
    double size = 0;
    TimeGetFolderSize(root, size); // warm the caches once
    TimeDu(root);
    std::vector<double> ours, du;
    for (int run = 0; run < runs; ++run) {
        ours.push_back(TimeGetFolderSize(root, size));
        du.push_back(TimeDu(root));
    }
    std::printf("files size %.0f bytes, %d runs\n", size, runs);
    std::printf("GetFolderSize median %.1f ms\n", Median(ours) * 1e3);
    std::printf("du -sb        median %.1f ms\n", Median(du) * 1e3);
    std::printf("ratio %.2f (target <= 1.2)\n", Median(ours) / Median(du));
    return 0;
}
