#pragma once

#include "dvdvideo/Preflight.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The DVD-Video preflight as the program runs it: the shared reader's checks
// of the folder, plus what only the program knows: which files of VIDEO_TS
// the compilation leaves out, whether the file system settings suit a
// DVD-Video, and whether the track fits. Also turns the findings into log
// lines in the user's language. No widget is touched: it runs on any thread.
namespace jobs {

struct PreflightSettings
{
    uint32_t fsFlags = 0;    // the FSFlags word (ISO_TRACK_* bits)
    bool reallocate = false; // the window's Reallocate box
    int media = 0;           // m_nMedia: 0 DVD, else CD
};

struct PreflightOutcome
{
    bool isDvdVideo = false; // false: the folder has no VIDEO_TS, nothing to say
    dvdvideo::Findings findings;
};

// The shared reader's preflight of the folder a burn takes. A folder without
// a VIDEO_TS folder whose own name is VIDEO_TS (a burn of "<film>/VIDEO_TS"
// puts its loose files into VIDEO_TS on the disc) is checked as the
// VIDEO_TS folder of its parent.
dvdvideo::PreflightReport RunPreflightOf(const QString &sourceDir, dvdvideo::Reallocation reallocation,
                                         dvdvideo::WalkLimits limits = {});

PreflightOutcome RunDvdVideoPreflight(const QString &sourceDir, const PreflightSettings &settings,
                                      dvdvideo::WalkLimits limits = {});

// Entries of VIDEO_TS that CompilationBuilder leaves off the disc: names
// that are no DVD-Video file, the files of a title set without its IFO, and
// spellings that another entry of the same name wins over.
dvdvideo::Findings LeftOutFiles(const std::vector<dvdvideo::FolderFile> &videoTs);

// Warnings about the file system settings for a DVD-Video.
dvdvideo::Findings SettingsFindings(const PreflightSettings &settings);

// The track (in blocks) against the disc's free sectors when the recorder
// reports them (freeSectors >= 0), else against the media type's limit in
// MB (limitMb > 0); nothing when it fits or nothing is known.
std::optional<dvdvideo::Finding> FitFinding(int64_t trackBlocks, int64_t freeSectors, int64_t limitMb);

using TextLookup = std::function<QString(int textId)>;

// One finding in words, with its severity in front.
QString FindingLine(const dvdvideo::Finding &finding, const TextLookup &text);
// The finding's own text, without the severity (the reason line of a run
// that stops).
QString FindingText(const dvdvideo::Finding &finding, const TextLookup &text);
// The report: a heading naming the folder and one line per finding, or the
// single "no problems found" line.
QStringList PreflightLines(const QString &sourceDir, const dvdvideo::Findings &findings,
                           const TextLookup &text);

} // namespace jobs
