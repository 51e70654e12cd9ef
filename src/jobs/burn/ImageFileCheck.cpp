#include "jobs/burn/ImageFileCheck.h"

#include "TextIds.h"
#include "dvdvideo/SourceFile.h"
#include "imagecheck/DvdVideoLayoutCheck.h"
#include "imagecheck/ImagePreflight.h"
#include "imagecheck/ImageShape.h"
#include "imagecheck/StrictStructureCheck.h"
#include "platform/TextFormat.h"

#include <QFile>

#include <cerrno>

namespace jobs {
namespace {

std::string NativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

QString ImageFileRefusal(const QString &path, const TextLookup &text)
{
    // Opened as the library will open it: never waiting on a FIFO or a device.
    const dvdvideo::SourceFile file = dvdvideo::SourceFile::Open(NativePath(path));
    if (!file.usable()) {
        if (file.refusal() == dvdvideo::SourceRefusal::Unreadable && file.error() == ENOENT)
            return FormatText(text(textid::ImageFileMissing), {path});
        return FindingText({dvdvideo::Severity::Error,
                            dvdvideo::FindingKind::FileRefused,
                            path.toStdString(),
                            {},
                            int64_t(file.refusal()),
                            file.error()},
                           text);
    }
    const imagecheck::ImageShape shape = imagecheck::shapeOf(NativePath(path));
    if (!shape.isImage())
        return FormatText(text(textid::ImageNotAnImage), {path});
    if (shape.cutShort())
        return FormatText(text(textid::ImageCutShort),
                          {path, FormatArg(static_cast<long long>(shape.recordedSectors)),
                           FormatArg(static_cast<long long>(shape.fileSectors))});
    return {};
}

QString ImageLabel(const QString &path)
{
    return QString::fromStdString(imagecheck::shapeOf(NativePath(path)).volumeId);
}

QStringList ImageProblemLines(const QString &path, const std::vector<std::string> &problems,
                              const TextLookup &text)
{
    if (problems.empty())
        return {};
    QStringList lines{
        FormatText(text(textid::ImageStructureHeading), {path, static_cast<int>(problems.size())})};
    for (const std::string &problem : problems)
        lines << QStringLiteral("  ") +
                     FormatText(text(textid::PreflightWarning), {QString::fromStdString(problem)});
    return lines;
}

std::vector<std::string> ImageStructureProblems(const QString &path, bool dvdVideo)
{
    std::vector<std::string> problems = imagecheck::strictStructureProblems(NativePath(path));
    if (dvdVideo) {
        const std::vector<std::string> placement = imagecheck::placementMismatches(NativePath(path));
        problems.insert(problems.end(), placement.begin(), placement.end());
    }
    return problems;
}

PreflightOutcome RunImageDvdVideoCheck(const QString &path, dvdvideo::WalkLimits limits)
{
    dvdvideo::PreflightReport report = imagecheck::RunImagePreflight(NativePath(path), std::move(limits));
    return {report.isDvdVideo, std::move(report.findings)};
}

} // namespace jobs
