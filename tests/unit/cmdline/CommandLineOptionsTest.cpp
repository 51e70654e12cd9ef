#include "cmdline/CommandLineOptions.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace cmdline;

namespace {

std::vector<int> loggedTexts(const ParsedCommandLine &parsed)
{
    std::vector<int> ids;
    for (const Step &step : parsed.steps) {
        if (step.textId != 0)
            ids.push_back(step.textId);
    }
    return ids;
}

} // namespace

TEST(ParseCommandLine, OptionLetterIsTheSecondCharacterInEitherCaseWithEitherPrefix)
{
    for (const QString token : {"-d", "-D", "/d", "/D", "-dvd", "/Dossier"}) {
        const ParsedCommandLine parsed = ParseCommandLine({token, "film"});
        EXPECT_FALSE(parsed.parseError) << token.toStdString();
        ASSERT_EQ(parsed.steps.size(), 1u);
        EXPECT_EQ(parsed.steps[0].kind, StepKind::SourceFolder);
        EXPECT_EQ(parsed.steps[0].value, "film");
    }
}

TEST(ParseCommandLine, LogsEachOptionInTokenOrder)
{
    const ParsedCommandLine parsed = ParseCommandLine({"-e", "-v", "MY_FILM", "-l", "-o", "-s", "-d", "dir", "-c"});
    EXPECT_FALSE(parsed.parseError);
    EXPECT_EQ(loggedTexts(parsed), (std::vector<int>{708, 646, 712, 650, 648, 644}));
    EXPECT_TRUE(parsed.folderGiven);
    EXPECT_TRUE(parsed.labelGiven);
    EXPECT_TRUE(parsed.logWanted);
    EXPECT_TRUE(parsed.shutdownWanted);
    EXPECT_TRUE(parsed.prepareOnly);
}

TEST(ParseCommandLine, MissingOrUnusableValuesAreParseErrorsAndParsingGoesOn)
{
    // -v at the end has no value; the folder before it is still read.
    ParsedCommandLine parsed = ParseCommandLine({"-d", "film", "-v"});
    EXPECT_TRUE(parsed.parseError);
    EXPECT_TRUE(parsed.folderGiven);
    EXPECT_EQ(loggedTexts(parsed), (std::vector<int>{644, 600}));

    // A value that looks like an option is not consumed.
    parsed = ParseCommandLine({"-d", "-v", "LABEL"});
    EXPECT_EQ(loggedTexts(parsed), (std::vector<int>{598, 646}));
    EXPECT_FALSE(parsed.folderGiven);
    EXPECT_TRUE(parsed.labelGiven);

    parsed = ParseCommandLine({"-v", "/x"});
    EXPECT_EQ(loggedTexts(parsed), (std::vector<int>{600, 602}));
}

TEST(ParseCommandLine, StrayTokensUnknownLettersAndBarePrefixesLog602)
{
    for (const QStringList &tokens : {QStringList{"film"}, QStringList{"-x"}, QStringList{"-"},
                                      QStringList{"/"}, QStringList{"-1"}, QStringList{"/home/me/film"}}) {
        const ParsedCommandLine parsed = ParseCommandLine(tokens);
        EXPECT_TRUE(parsed.parseError) << tokens.join(' ').toStdString();
        EXPECT_EQ(loggedTexts(parsed), std::vector<int>{602});
    }
}

TEST(ParseCommandLine, AbsolutePathsAreValuesNotOptions)
{
    const ParsedCommandLine parsed = ParseCommandLine({"-d", "/media/dvd/MY_FILM", "-v", "/x/LABEL"});
    EXPECT_FALSE(parsed.parseError);
    ASSERT_EQ(parsed.steps.size(), 2u);
    EXPECT_EQ(parsed.steps[0].value, "/media/dvd/MY_FILM");
    EXPECT_EQ(parsed.steps[1].value, "/x/LABEL");
}
