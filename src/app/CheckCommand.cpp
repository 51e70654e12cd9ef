#include "app/CheckCommand.h"

#include "TextIds.h"
#include "app/RunExitStatus.h"
#include "jobs/burn/DvdVideoPreflight.h"
#include "jobs/burn/LayerBreakLines.h"
#include "lang/BuiltinTexts.h"

#include <cstdio>

namespace {

QString BuiltinText(int id)
{
    return builtin::Text(static_cast<std::uint32_t>(id)).value_or(QString());
}

void PrintLine(std::FILE *stream, const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
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
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &token = arguments[i];
        if (token == QLatin1String("--check"))
            continue;
        if (!IsFolderOption(token) || folder) {
            PrintLine(stderr, BuiltinText(textid::CmdBadToken));
            return runexit::ParseError;
        }
        if (i + 1 == arguments.size() || arguments[i + 1].isEmpty()) {
            PrintLine(stderr, BuiltinText(textid::CmdMissingFolder));
            return runexit::ParseError;
        }
        folder = arguments[++i];
    }
    if (!folder) {
        PrintLine(stderr, BuiltinText(textid::CmdMissingFolder));
        return runexit::ParseError;
    }
    const dvdvideo::PreflightReport report =
        dvdvideo::RunPreflight(folder->toStdString(), dvdvideo::Reallocation::Off);
    dvdvideo::Findings findings = report.findings;
    if (!report.isDvdVideo) {
        findings.push_back(
            {dvdvideo::Severity::Error, dvdvideo::FindingKind::FileMissing, "VIDEO_TS", {}, 0, 0});
    } else {
        const dvdvideo::Findings leftOut = jobs::LeftOutFiles(report.videoTsFiles);
        findings.insert(findings.end(), leftOut.begin(), leftOut.end());
    }
    for (const QString &line : jobs::PreflightLines(*folder, findings, &BuiltinText))
        PrintLine(stdout, line);
    PrintLayerBreak(report);
    std::fflush(stdout);
    return dvdvideo::HasError(findings) ? runexit::CompilationFailed : runexit::Success;
}
