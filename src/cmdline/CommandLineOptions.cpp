#include "cmdline/CommandLineOptions.h"

namespace cmdline {
namespace {

// '-' always introduces an option. '/' is the other option prefix, but on
// this system it also starts every absolute path: a token with a second '/'
// ("/home/me/film") is a path, while "/d" or "/dvd" is an option.
bool startsLikeOption(const QString &token)
{
    if (token.startsWith(QLatin1Char('-')))
        return true;
    return token.startsWith(QLatin1Char('/')) && token.indexOf(QLatin1Char('/'), 1) < 0;
}

// Takes the value token after position i, when there is a usable one.
bool takeValue(const QStringList &tokens, qsizetype &i, QString &value)
{
    if (i + 1 >= tokens.size() || startsLikeOption(tokens[i + 1]))
        return false;
    value = tokens[++i];
    return true;
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList &tokens)
{
    ParsedCommandLine parsed;
    auto fail = [&parsed](int textId) {
        parsed.parseError = true;
        parsed.steps.push_back({StepKind::Error, textId, {}});
    };

    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens[i];
        if (!startsLikeOption(token) || token.size() < 2) {
            fail(TextBadToken);
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
                fail(TextMissingFolder);
                break;
            }
            parsed.folderGiven = true;
            parsed.steps.push_back({StepKind::SourceFolder, TextFolderGiven, value});
            break;
        case 'E':
            parsed.steps.push_back({StepKind::NoEject, TextNoEjectGiven, {}});
            break;
        case 'L':
            parsed.logWanted = true;
            parsed.steps.push_back({StepKind::WriteLog, TextLogGiven, {}});
            break;
        case 'O':
            parsed.steps.push_back({StepKind::OverwriteNoAsk, TextOverwriteGiven, {}});
            break;
        case 'S':
            parsed.shutdownWanted = true;
            parsed.steps.push_back({StepKind::Shutdown, TextShutdownGiven, {}});
            break;
        case 'V':
            if (!takeValue(tokens, i, value)) {
                fail(TextMissingLabel);
                break;
            }
            parsed.labelGiven = true;
            parsed.steps.push_back({StepKind::VolumeLabel, TextLabelGiven, value});
            break;
        default:
            fail(TextBadToken);
            break;
        }
    }
    return parsed;
}

} // namespace cmdline
