#include "dvdvideo/Preflight.h"

#include "dvdvideo/FolderLayout.h"
#include "dvdvideo/SourceFile.h"
#include "sysio/DirectoryStream.h"
#include "sysio/RegularFileRead.h"

#include <sys/stat.h>

namespace dvdvideo {
namespace {

// Opens each DVD-Video file once, as the burn will: one that cannot be
// opened or is no regular file is marked with the reason, and neither the
// checks nor the walk touch it again.
void RefuseUnusableFiles(const std::string &folder, std::vector<FolderFile> &files)
{
    for (FolderFile &file : files) {
        if (!IsDvdVideoFileName(file.name))
            continue;
        const SourceFile opened = SourceFile::Open(folder + "/" + file.name);
        if (opened.usable())
            continue;
        file.regular = false;
        file.refusal = opened.refusal();
        file.error = opened.error();
    }
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
    const sysio::DirectoryStream dir(opendir(folder.c_str()));
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
    RefuseUnusableFiles(report.videoTsPath, report.videoTsFiles);
    const std::string base = report.videoTsPath + "/";
    // At most IfoReader::kMaxIfoBytes: a file that grew past that is not
    // read on without end.
    const FolderCheck::Loader load = [&](const FolderFile &file) {
        return sysio::readRegularFile(base + file.name, IfoReader::kMaxIfoBytes);
    };
    FolderCheck check(report.videoTsFiles, load);
    report.findings = check.Run(reallocation);
    report.layout = FolderLayout(check, check.PlayableSets(), load);
    // The walk needs a readable video manager and a title set to visit.
    if (!check.PlayableSets().empty()) {
        Findings walk = WalkPlayback(sourceFolder, check.PlayableSets(), limits);
        report.findings.insert(report.findings.end(), walk.begin(), walk.end());
    }
    return report;
}

} // namespace dvdvideo
