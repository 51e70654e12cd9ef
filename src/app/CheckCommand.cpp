#include "app/CheckCommand.h"

#include "TextIds.h"
#include "cmdline/RunExitStatus.h"
#include "cmdline/RunReason.h"
#include "imagecheck/ImageChecksum.h"
#include "jobs/burn/DvdVideoPreflight.h"
#include "jobs/burn/ImageFileCheck.h"
#include "jobs/burn/LayerBreakLines.h"
#include "lang/BuiltinTexts.h"
#include "log/LogLineText.h"
#include "platform/TextFormat.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString BuiltinText(int id)
{
    return builtin::Text(static_cast<std::uint32_t>(id)).value_or(QString());
}

void PrintLine(std::FILE *stream, const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

// The last line of a check that fails, as a burn run's: the status and its
// cause, on standard error even under -q.
int Fail(runexit::Status status, const QString &cause)
{
    PrintLine(stderr, runexit::ReasonLine(status, cause, &BuiltinText));
    return status;
}

// "Command line: unknown option or stray argument ("-x")", as the burn run
// names a token it cannot read.
QString TokenCause(int textId, const QString &token)
{
    QString text = BuiltinText(textId).trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QStringLiteral(" (\"") + token + QStringLiteral("\")");
}

bool IsQuietOption(const QString &token)
{
    return token == QLatin1String("-q") || token == QLatin1String("/q") || token == QLatin1String("-Q") ||
           token == QLatin1String("/Q");
}

// -d, /d, -D, /D for letter 'd'.
bool IsOption(const QString &token, char letter)
{
    return token.size() == 2 && (token[0] == u'-' || token[0] == u'/') &&
           token[1].toLower() == QLatin1Char(letter);
}

// --check -i: the image file as the burn's point of no return sees it, its
// structure's warnings, its DVD-Video check, and its SHA-256.
int CheckImage(const QString &image, bool quiet)
{
    const QString refusal = jobs::ImageFileRefusal(image, &BuiltinText);
    if (!refusal.isEmpty())
        return Fail(runexit::CompilationFailed, refusal);
    const jobs::PreflightOutcome outcome = jobs::RunImageDvdVideoCheck(image);
    QStringList lines =
        jobs::ImageProblemLines(image, jobs::ImageStructureProblems(image, outcome.isDvdVideo), &BuiltinText);
    if (outcome.isDvdVideo)
        lines << jobs::PreflightLines(image, outcome.findings, &BuiltinText);
    const std::optional<std::string> sha = imagecheck::fileSha256(QFile::encodeName(image).toStdString());
    if (!sha)
        return Fail(runexit::CompilationFailed,
                    FormatText(BuiltinText(textid::PreflightFileUnreadable),
                               {image, QString::fromLocal8Bit(std::strerror(EIO))}));
    lines << FormatText(BuiltinText(textid::ImageChecksum), {QString::fromStdString(*sha)});
    if (!quiet) {
        for (const QString &line : lines)
            PrintLine(stdout, LogLineText(line));
        if (!StandardOutputWritten())
            return runexit::StartupFailed;
    }
    if (const dvdvideo::Finding *error = dvdvideo::FirstError(outcome.findings))
        return Fail(runexit::CompilationFailed, jobs::FindingText(*error, &BuiltinText));
    return runexit::Success;
}

// The layer-break candidates of the folder as it stands, and the break a
// DVD+R DL disc would get when the folder needs one.
void PrintLayerBreak(const dvdvideo::PreflightReport &report)
{
    if (!report.layout)
        return;
    dvdvideo::LayerBreakInput input = *report.layout;
    input.layer0Limit = dvdvideo::kDvdPlusRDlLayer0Sectors;
    for (const QString &line : jobs::LayerBreakLines(dvdvideo::PlanLayerBreak(input), 0, &BuiltinText))
        PrintLine(stdout, line);
}

} // namespace

std::optional<int> RunCheckCommand(const QStringList &arguments)
{
    if (!arguments.contains(QLatin1String("--check")))
        return std::nullopt;
    std::optional<QString> folder;
    std::optional<QString> image;
    bool quiet = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &token = arguments[i];
        if (token == QLatin1String("--check"))
            continue;
        if (IsQuietOption(token)) {
            quiet = true;
            continue;
        }
        const bool isImage = IsOption(token, 'i');
        if ((!IsOption(token, 'd') && !isImage) || folder || image)
            return Fail(runexit::ParseError,
                        TokenCause((folder && isImage) || (image && !isImage) ? textid::CmdImageWithFolder
                                                                              : textid::CmdBadToken,
                                   token));
        if (i + 1 == arguments.size() || arguments[i + 1].isEmpty())
            return Fail(runexit::ParseError,
                        TokenCause(isImage ? textid::CmdMissingImage : textid::CmdMissingFolder, token));
        (isImage ? image : folder) = arguments[++i];
    }
    if (image)
        return CheckImage(*image, quiet);
    if (!folder)
        return Fail(runexit::ParseError, BuiltinText(textid::CmdMissingFolder));
    const dvdvideo::PreflightReport report = jobs::RunPreflightOf(*folder, dvdvideo::Reallocation::Off);
    dvdvideo::Findings findings = report.findings;
    if (!report.isDvdVideo) {
        findings.push_back(
            {dvdvideo::Severity::Error, dvdvideo::FindingKind::FileMissing, "VIDEO_TS", {}, 0, 0});
    } else {
        const dvdvideo::Findings leftOut = jobs::LeftOutFiles(report.videoTsFiles);
        findings.insert(findings.end(), leftOut.begin(), leftOut.end());
    }
    if (!quiet) {
        // Lines of the log as a burn would log them: names cannot break them.
        for (const QString &line : jobs::PreflightLines(*folder, findings, &BuiltinText))
            PrintLine(stdout, LogLineText(line));
        PrintLayerBreak(report);
        if (!StandardOutputWritten())
            return runexit::StartupFailed;
    }
    for (const dvdvideo::Finding &finding : findings) {
        if (finding.severity == dvdvideo::Severity::Error)
            return Fail(runexit::CompilationFailed, jobs::FindingText(finding, &BuiltinText));
    }
    return runexit::Success;
}

bool StandardOutputWritten()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const int error = errno;
    std::fprintf(stderr, "orvane-burn: standard output: %s\n", std::strerror(error));
    return false;
}
