#include "app/CheckCommand.h"

#include "TextIds.h"
#include "cmdline/RunExitStatus.h"
#include "cmdline/RunReason.h"
#include "jobs/burn/DvdVideoPreflight.h"
#include "jobs/burn/LayerBreakLines.h"
#include "lang/BuiltinTexts.h"
#include "log/LogLineText.h"

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

bool IsFolderOption(const QString &token)
{
    return token == QLatin1String("-d") || token == QLatin1String("/d") || token == QLatin1String("-D") ||
           token == QLatin1String("/D");
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
    bool quiet = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &token = arguments[i];
        if (token == QLatin1String("--check"))
            continue;
        if (IsQuietOption(token)) {
            quiet = true;
            continue;
        }
        if (!IsFolderOption(token) || folder)
            return Fail(runexit::ParseError, TokenCause(textid::CmdBadToken, token));
        if (i + 1 == arguments.size() || arguments[i + 1].isEmpty())
            return Fail(runexit::ParseError, TokenCause(textid::CmdMissingFolder, token));
        folder = arguments[++i];
    }
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
