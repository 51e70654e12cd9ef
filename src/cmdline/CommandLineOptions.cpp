#include "cmdline/CommandLineOptions.h"
#include "TextIds.h"

#include <QFileInfo>

#include <algorithm>

namespace cmdline {
namespace {

// '-' always introduces an option. '/' is the other option prefix, but on
// this system it also starts every absolute path, top-level folders such as
// "/mnt" included: only a token of exactly two characters ("/d") that names
// nothing on disk is an option; every other '/' token is a path.
bool startsLikeOption(const QString &token)
{
    if (token.startsWith(QLatin1Char('-')))
        return true;
    return token.size() == 2 && token.startsWith(QLatin1Char('/')) && !QFileInfo::exists(token);
}

// Takes the value token after position i, when there is a usable one.
bool takeValue(const QStringList &tokens, qsizetype &i, QString &value)
{
    if (i + 1 >= tokens.size() || startsLikeOption(tokens[i + 1]))
        return false;
    value = tokens[++i];
    return true;
}

// A count of copies: whole decimal digits only, 1 to 99.
int copiesCount(const QString &value)
{
    bool ok = false;
    const int count = value.toInt(&ok, 10);
    const bool digitsOnly =
        !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) { return c.isDigit(); });
    return ok && digitsOnly && count >= 1 && count <= 99 ? count : 0;
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList &tokens)
{
    ParsedCommandLine parsed;
    // An error step carries the token it concerns.
    auto fail = [&parsed](int textId, const QString &token) {
        parsed.parseError = true;
        parsed.steps.push_back({StepKind::Error, textId, token});
    };

    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens[i];
        // The options spelled out in full: no letter is left that says them.
        if (token == QLatin1String("--any-layer-break")) {
            parsed.steps.push_back({StepKind::AnyLayerBreak, textid::CmdAnyLayerBreakGiven, {}});
            continue;
        }
        if (token == QLatin1String("--json")) {
            parsed.json = true;
            parsed.steps.push_back({StepKind::Json, 0, {}});
            continue;
        }
        if (!startsLikeOption(token) || token.size() < 2) {
            fail(textid::CmdBadToken, token);
            continue;
        }
        QString value;
        switch (token[1].toUpper().unicode()) {
        case 'C':
            parsed.prepareOnly = true;
            parsed.steps.push_back({StepKind::PrepareOnly, 0, {}});
            break;
        case 'D':
            if (!takeValue(tokens, i, value)) {
                fail(textid::CmdMissingFolder, token);
                break;
            }
            parsed.folderGiven = true;
            parsed.steps.push_back({StepKind::SourceFolder, textid::CmdFolderGiven, value});
            break;
        case 'I':
            if (!takeValue(tokens, i, value)) {
                fail(textid::CmdMissingImage, token);
                break;
            }
            parsed.imageGiven = true;
            parsed.steps.push_back({StepKind::ImageFile, textid::CmdImageGiven, value});
            break;
        case 'E':
            parsed.steps.push_back({StepKind::NoEject, textid::CmdNoEjectGiven, {}});
            break;
        case 'K':
            parsed.keepGoing = true;
            parsed.steps.push_back({StepKind::KeepGoing, textid::CmdKeepGoingGiven, {}});
            break;
        case 'N':
            if (!takeValue(tokens, i, value) || copiesCount(value) == 0) {
                fail(textid::CmdCopiesBad, value.isEmpty() ? token : value);
                break;
            }
            parsed.copies = copiesCount(value);
            parsed.steps.push_back({StepKind::Copies, textid::CmdCopiesGiven, value});
            break;
        case 'L':
            parsed.logWanted = true;
            parsed.steps.push_back({StepKind::WriteLog, textid::CmdLogGiven, {}});
            break;
        case 'O':
            parsed.steps.push_back({StepKind::OverwriteNoAsk, textid::CmdOverwriteGiven, {}});
            break;
        case 'Q':
            parsed.quiet = true;
            parsed.steps.push_back({StepKind::Quiet, 0, {}});
            break;
        case 'S':
            parsed.shutdownWanted = true;
            parsed.steps.push_back({StepKind::Shutdown, textid::CmdShutdownGiven, {}});
            break;
        case 'V':
            if (!takeValue(tokens, i, value)) {
                fail(textid::CmdMissingLabel, token);
                break;
            }
            parsed.labelGiven = true;
            parsed.steps.push_back({StepKind::VolumeLabel, textid::CmdLabelGiven, value});
            break;
        default:
            fail(textid::CmdBadToken, token);
            break;
        }
    }
    if (parsed.folderGiven && parsed.imageGiven)
        fail(textid::CmdImageWithFolder, QStringLiteral("-i"));
    if (parsed.json && parsed.quiet)
        fail(textid::CmdJsonQuiet, QStringLiteral("--json"));
    return parsed;
}

} // namespace cmdline
