#include "ImagePreflight.h"

#include "ImageShape.h"
#include "UdfImage.h"

#include "dvdvideo/FolderLayout.h"

#include <strings.h>

namespace imagecheck {
namespace {

// The VIDEO_TS folder of the image's root in any letter case; the exact
// spelling wins, as on a folder.
std::string VideoTsFolder(const UdfImage &udf)
{
    std::string found;
    for (const UdfImage::Entry &entry : udf.list("/")) {
        if (entry.isFolder && ::strcasecmp(entry.name.c_str(), "VIDEO_TS") == 0 &&
            (found.empty() || entry.name == "VIDEO_TS"))
            found = entry.name;
    }
    return found;
}

} // namespace

dvdvideo::PreflightReport RunImagePreflight(const std::string &image, dvdvideo::WalkLimits limits)
{
    dvdvideo::PreflightReport report;
    // libudfread would wait on a FIFO: only a regular file is handed to it.
    if (!shapeOf(image).opened)
        return report;
    const UdfImage udf(image);
    const std::string videoTs = udf.isOpen() ? VideoTsFolder(udf) : std::string();
    if (videoTs.empty())
        return report;
    report.isDvdVideo = true;
    report.videoTsPath = "/" + videoTs;
    for (const UdfImage::Entry &entry : udf.list(report.videoTsPath)) {
        const auto size = udf.size(report.videoTsPath + "/" + entry.name);
        report.videoTsFiles.push_back({entry.name, size ? uint64_t(*size) : 0, !entry.isFolder});
    }
    const dvdvideo::FolderCheck::Loader load =
        [&](const dvdvideo::FolderFile &file) -> std::optional<std::vector<uint8_t>> {
        if (file.size > dvdvideo::IfoReader::kMaxIfoBytes)
            return std::nullopt;
        return udf.read(report.videoTsPath + "/" + file.name);
    };
    dvdvideo::FolderCheck check(report.videoTsFiles, load);
    report.findings = check.Run(dvdvideo::Reallocation::Off);
    report.layout = dvdvideo::FolderLayout(check, check.PlayableSets(), load);
    if (!check.PlayableSets().empty()) {
        dvdvideo::Findings walk = dvdvideo::WalkPlayback(image, check.PlayableSets(), limits);
        report.findings.insert(report.findings.end(), walk.begin(), walk.end());
    }
    return report;
}

} // namespace imagecheck
