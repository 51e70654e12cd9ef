#pragma once

#include "jobs/burn/DvdVideoPreflight.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// What an image file given to burn as it is must be, in the user's words:
// the burn's point of no return and --check -i say the same. No widget is
// touched: any thread.
namespace jobs {

// Why the file cannot be burned as an image: it does not exist, is no
// regular file (a FIFO is never waited on), cannot be read, holds no
// ISO 9660 or UDF volume, or is shorter than its file system says. Empty
// when it can be burned.
QString ImageFileRefusal(const QString &path, const TextLookup &text);

// The label the image carries (its ISO 9660 volume name); empty when it has none.
QString ImageLabel(const QString &path);

// Problems the image's structure checks found, as warnings under one heading
// naming the file; nothing for none.
QStringList ImageProblemLines(const QString &path, const std::vector<std::string> &problems,
                              const TextLookup &text);

// The image's own structure problems (the strict check; for a DVD-Video
// image also where its files lie against its IFOs).
std::vector<std::string> ImageStructureProblems(const QString &path, bool dvdVideo);

// The DVD-Video check of the image: no VIDEO_TS, nothing to say.
PreflightOutcome RunImageDvdVideoCheck(const QString &path, dvdvideo::WalkLimits limits = {});

} // namespace jobs
