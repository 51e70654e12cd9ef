#include "dvdvideo/Preflight.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace dvdvideo {
namespace {

struct CloseDir
{
    void operator()(DIR *dir) const { closedir(dir); }
};

// An open descriptor, closed when it goes.
class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Reads at most IfoReader::kMaxIfoBytes: a file that grew past its listed
// size is not read on without end.
std::optional<std::vector<uint8_t>> ReadSmallFile(const std::string &path)
{
    const Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info
    {
    };
    if (fd.Get() < 0 || fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        uint64_t(info.st_size) > IfoReader::kMaxIfoBytes)
        return std::nullopt;
    std::vector<uint8_t> bytes(size_t(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += size_t(got);
    }
    bytes.resize(done);
    return bytes;
}

bool IsVideoTsName(const std::string &name)
{
    static constexpr char kName[] = "video_ts";
    if (name.size() != sizeof kName - 1)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
        if (c != kName[i])
            return false;
    }
    return true;
}

} // namespace

std::vector<FolderFile> ListFolderFiles(const std::string &folder)
{
    std::vector<FolderFile> files;
    const std::unique_ptr<DIR, CloseDir> dir(opendir(folder.c_str()));
    if (!dir)
        return files;
    while (const dirent *entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info
        {
        };
        const bool known = stat((folder + "/" + name).c_str(), &info) == 0;
        files.push_back({name, known ? uint64_t(info.st_size) : 0, known && S_ISREG(info.st_mode)});
    }
    return files;
}

PreflightReport RunPreflight(const std::string &sourceFolder, Reallocation reallocation, WalkLimits limits)
{
    PreflightReport report;
    std::string videoTsName;
    for (const FolderFile &entry : ListFolderFiles(sourceFolder)) {
        // The exact spelling wins over other letter cases.
        if (IsVideoTsName(entry.name) && !entry.regular && (videoTsName.empty() || entry.name == "VIDEO_TS"))
            videoTsName = entry.name;
    }
    if (videoTsName.empty())
        return report;
    report.isDvdVideo = true;
    report.videoTsPath = sourceFolder + "/" + videoTsName;
    report.videoTsFiles = ListFolderFiles(report.videoTsPath);
    const std::string base = report.videoTsPath + "/";
    FolderCheck check(report.videoTsFiles,
                      [&](const FolderFile &file) { return ReadSmallFile(base + file.name); });
    report.findings = check.Run(reallocation);
    // The walk needs a readable video manager and a title set to visit.
    if (!check.PlayableSets().empty()) {
        Findings walk = WalkPlayback(sourceFolder, check.PlayableSets(), limits);
        report.findings.insert(report.findings.end(), walk.begin(), walk.end());
    }
    return report;
}

} // namespace dvdvideo
