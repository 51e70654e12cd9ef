#include "jobs/burn/DvdVideoPreflight.h"

#include "TextIds.h"
#include "jobs/tree/DvdVideoNames.h"
#include "jobs/tree/FolderListing.h"
#include "platform/TextFormat.h"

#include <QDir>
#include <QFileInfo>

#include <reclib_api.h>

#include <cstring>
#include <set>

namespace jobs {
namespace {

using dvdvideo::Finding;
using dvdvideo::FindingKind;
using dvdvideo::Severity;

constexpr int64_t SectorsPerMb = 1024 * 1024 / SECTOR_SIZE;

QString Q(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

// The system's reason for a file that cannot be read, or what the file is
// instead of a regular one.
QString RefusedFileText(const Finding &f, const TextLookup &text)
{
    switch (dvdvideo::SourceRefusal(f.number)) {
    case dvdvideo::SourceRefusal::Unreadable:
        return FormatText(text(textid::PreflightFileUnreadable),
                          {Q(f.name), QString::fromLocal8Bit(std::strerror(int(f.number2)))});
    case dvdvideo::SourceRefusal::Fifo:
        return FormatText(text(textid::PreflightFileIsFifo), {Q(f.name)});
    case dvdvideo::SourceRefusal::Device:
        return FormatText(text(textid::PreflightFileIsDevice), {Q(f.name)});
    case dvdvideo::SourceRefusal::Socket:
        return FormatText(text(textid::PreflightFileIsSocket), {Q(f.name)});
    case dvdvideo::SourceRefusal::Folder:
        return FormatText(text(textid::PreflightFileIsFolder), {Q(f.name)});
    default:
        return FormatText(text(textid::PreflightFileNotRegular), {Q(f.name)});
    }
}

} // namespace

dvdvideo::PreflightReport RunPreflightOf(const QString &sourceDir, dvdvideo::Reallocation reallocation,
                                         dvdvideo::WalkLimits limits)
{
    dvdvideo::PreflightReport report = dvdvideo::RunPreflight(sourceDir.toStdString(), reallocation, limits);
    const QFileInfo folder(QDir::cleanPath(sourceDir));
    if (report.isDvdVideo || folder.fileName().compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) != 0)
        return report;
    report = dvdvideo::RunPreflight(folder.path().toStdString(), reallocation, limits);
    // The parent may hold another spelling of VIDEO_TS that the reader
    // prefers: that one is not the folder being burned.
    if (report.isDvdVideo && QFileInfo(QString::fromStdString(report.videoTsPath)).canonicalFilePath() !=
                                 folder.canonicalFilePath())
        return {};
    return report;
}

PreflightOutcome RunDvdVideoPreflight(const QString &sourceDir, const PreflightSettings &settings,
                                      dvdvideo::WalkLimits limits)
{
    const bool reallocate = settings.reallocate || (settings.fsFlags & ISO_TRACK_REALLOC) != 0;
    dvdvideo::PreflightReport report = RunPreflightOf(
        sourceDir, reallocate ? dvdvideo::Reallocation::On : dvdvideo::Reallocation::Off, limits);
    PreflightOutcome outcome;
    outcome.isDvdVideo = report.isDvdVideo;
    if (!report.isDvdVideo)
        return outcome;
    outcome.findings = std::move(report.findings);
    const dvdvideo::Findings leftOut = LeftOutFiles(report.videoTsFiles);
    const dvdvideo::Findings flags = SettingsFindings(settings);
    outcome.findings.insert(outcome.findings.end(), leftOut.begin(), leftOut.end());
    outcome.findings.insert(outcome.findings.end(), flags.begin(), flags.end());
    return outcome;
}

dvdvideo::Findings LeftOutFiles(const std::vector<dvdvideo::FolderFile> &videoTs)
{
    std::vector<FolderEntry> entries;
    for (const dvdvideo::FolderFile &file : videoTs)
        entries.push_back({file.name, file.regular ? EntryKind::File : EntryKind::Folder});
    // The same walk as the compilation's: a title set's files count only
    // when the set's IFO is there.
    std::set<const FolderEntry *> taken;
    bool setPresent = true;
    for (const DvdVideoFile &file : DvdVideoLookupOrder()) {
        const FolderEntry *found = FindEntryNoCase(entries, file.name);
        if (file.startsTitleSet)
            setPresent = found != nullptr;
        if (setPresent && found != nullptr)
            taken.insert(found);
    }
    dvdvideo::Findings findings;
    for (const FolderEntry &entry : entries) {
        if (taken.count(&entry) == 0)
            findings.push_back({Severity::Warning, FindingKind::LeftOut, entry.name, {}, 0, 0});
    }
    return findings;
}

dvdvideo::Findings SettingsFindings(const PreflightSettings &settings)
{
    dvdvideo::Findings findings;
    const auto lacks = [&](const char *what) {
        findings.push_back({Severity::Warning, FindingKind::FileSystemLacks, what, {}, 0, 0});
    };
    if ((settings.fsFlags & ISO_TRACK_UDF) == 0)
        lacks("UDF");
    if ((settings.fsFlags & ISO_TRACK_ISO9660) == 0)
        lacks("ISO 9660");
    if (settings.media == 0 && (settings.fsFlags & ISO_TRACK_MODE2) != 0)
        findings.push_back({Severity::Warning, FindingKind::Mode2OnDvd, {}, {}, 0, 0});
    return findings;
}

std::optional<dvdvideo::Finding> FitFinding(int64_t trackBlocks, int64_t freeSectors, int64_t limitMb)
{
    const int64_t room = freeSectors >= 0 ? freeSectors : (limitMb > 0 ? limitMb * SectorsPerMb : -1);
    if (room < 0 || trackBlocks <= room)
        return std::nullopt;
    return Finding{Severity::Error,
                   FindingKind::DiscTooSmall,
                   {},
                   {},
                   room / SectorsPerMb,
                   (trackBlocks + SectorsPerMb - 1) / SectorsPerMb};
}

QString FindingText(const Finding &f, const TextLookup &text)
{
    switch (f.kind) {
    case FindingKind::FileMissing:
        return FormatText(text(textid::PreflightFileMissing), {Q(f.name)});
    case FindingKind::TitleSetFileMissing:
        return FormatText(text(textid::PreflightTitleSetFileMissing),
                          {FormatArg(static_cast<long long>(f.number)), Q(f.name)});
    case FindingKind::CellUnreadable:
        return FormatText(
            text(textid::PreflightCellUnreadable),
            {FormatArg(static_cast<long long>(f.number)), FormatArg(static_cast<long long>(f.number2))});
    case FindingKind::ReallocationImpossible:
        return FormatText(text(textid::PreflightReallocationImpossible), {Q(f.name)});
    case FindingKind::BackupDiffers:
        return FormatText(text(textid::PreflightBackupDiffers),
                          {Q(f.name), Q(f.name2), FormatArg(static_cast<long long>(f.number))});
    case FindingKind::TitleSetNotNamed:
        return FormatText(text(textid::PreflightTitleSetNotNamed), {Q(f.name)});
    case FindingKind::LeftOut:
        return FormatText(text(textid::PreflightLeftOut), {Q(f.name)});
    case FindingKind::FileSystemLacks:
        return FormatText(text(textid::PreflightFileSystemLacks), {Q(f.name)});
    case FindingKind::Mode2OnDvd:
        return text(textid::PreflightMode2OnDvd);
    case FindingKind::SectorCount:
        return FormatText(text(textid::PreflightSectorCount),
                          {Q(f.name), FormatArg(static_cast<long long>(f.number)),
                           FormatArg(static_cast<long long>(f.number2))});
    case FindingKind::DiscTooSmall:
        return FormatText(text(textid::DiscTooSmall), {FormatArg(static_cast<long long>(f.number)),
                                                       FormatArg(static_cast<long long>(f.number2))});
    case FindingKind::FileRefused:
        return RefusedFileText(f, text);
    }
    return {};
}

QString FindingLine(const Finding &finding, const TextLookup &text)
{
    static constexpr int severityText[] = {textid::PreflightError, textid::PreflightWarning,
                                           textid::PreflightNote};
    return QStringLiteral("  ") +
           FormatText(text(severityText[static_cast<int>(finding.severity)]), {FindingText(finding, text)});
}

QStringList PreflightLines(const QString &sourceDir, const dvdvideo::Findings &findings,
                           const TextLookup &text)
{
    if (findings.empty())
        return {text(textid::PreflightNoProblems)};
    QStringList lines{FormatText(text(textid::PreflightHeading), {sourceDir})};
    for (const Finding &finding : findings)
        lines << FindingLine(finding, text);
    return lines;
}

} // namespace jobs
