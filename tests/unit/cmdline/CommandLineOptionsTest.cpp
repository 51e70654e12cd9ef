#include "cmdline/CommandLineOptions.h"
#include "TestEnvironment.h"
#include "cmdline/EarlyOptions.h"

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
    // "/Dossier" would be a path: only '/' and one letter is an option.
    for (const QString token : {"-d", "-D", "/d", "/D", "-dvd", "-Dossier"}) {
        const ParsedCommandLine parsed = ParseCommandLine({token, "film"});
        EXPECT_FALSE(parsed.parseError) << token.toStdString();
        ASSERT_EQ(parsed.steps.size(), 1u);
        EXPECT_EQ(parsed.steps[0].kind, StepKind::SourceFolder);
        EXPECT_EQ(parsed.steps[0].value, "film");
    }
}

TEST(ParseCommandLine, LogsEachOptionInTokenOrder)
{
    const ParsedCommandLine parsed =
        ParseCommandLine({"-e", "-v", "MY_FILM", "-l", "-o", "-s", "-d", "dir", "-c"});
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

struct TokenCase
{
    const char *name;
    QStringList tokens;
    std::vector<int> logged;
    QStringList values; // the folder and label values read, in token order
};

void PrintTo(const TokenCase &tokenCase, std::ostream *out)
{
    *out << tokenCase.name;
}

class SlashAndValueTable : public testing::TestWithParam<TokenCase>
{
};

// A token of two characters starting with '/' is an option only when it
// names no existing path; every other token starting with '/' is a path. A
// value arrives exactly as given: quotes and blanks inside it are not read
// again as options.
TEST_P(SlashAndValueTable, ReadsPathsOptionsAndValuesExactly)
{
    const ParsedCommandLine parsed = ParseCommandLine(GetParam().tokens);
    EXPECT_EQ(loggedTexts(parsed), GetParam().logged);
    QStringList values;
    for (const Step &step : parsed.steps) {
        if (step.kind == StepKind::SourceFolder || step.kind == StepKind::VolumeLabel)
            values << step.value;
    }
    EXPECT_EQ(values, GetParam().values);
    EXPECT_FALSE(parsed.shutdownWanted);
    EXPECT_FALSE(parsed.prepareOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, SlashAndValueTable,
    testing::Values(
        TokenCase{"TopLevelFolderTmp", {"-d", "/tmp"}, {644}, {"/tmp"}},
        TokenCase{"TopLevelFolderUsrAndRoot", {"-d", "/usr", "-v", "/"}, {644, 646}, {"/usr", "/"}},
        TokenCase{"MissingTwoCharacterPathIsTheOptionQ", {"-d", "/q"}, {598}, {}},
        TokenCase{"QuoteInAValue", {"-d", "/x\" -s \"", "-v", "A\"B"}, {644, 646}, {"/x\" -s \"", "A\"B"}},
        TokenCase{"TwoBlanksInAValue",
                  {"-d", "my  film", "-v", " two  blanks "},
                  {644, 646},
                  {"my  film", " two  blanks "}},
        TokenCase{"EmptyValue", {"-d", "", "-v", "L"}, {644, 646}, {"", "L"}}),
    [](const testing::TestParamInfo<TokenCase> &testInfo) { return std::string(testInfo.param.name); });

TEST(ParseCommandLine, MissingTwoCharacterSlashTokenIsTheQuietOption)
{
    const ParsedCommandLine parsed = ParseCommandLine({"/q", "-d", "/tmp"});
    EXPECT_FALSE(parsed.parseError);
    EXPECT_TRUE(parsed.quiet);
    EXPECT_TRUE(parsed.folderGiven);
}

// --help and --version are whole tokens; anything else starts the program.
TEST(FindEarlyOption, AnswersHelpAndVersionOnlyForTheWholeTokens)
{
    const struct
    {
        QStringList arguments;
        EarlyOption expected;
    } cases[] = {
        {{}, EarlyOption::None},
        {{"-d", "/tmp", "-h"}, EarlyOption::Help},
        {{"-?"}, EarlyOption::Help},
        {{"--help", "--version"}, EarlyOption::Help},
        {{"--version"}, EarlyOption::Version},
        {{"-H"}, EarlyOption::None},
        {{"--helpme"}, EarlyOption::None},
        {{"-d", "--version "}, EarlyOption::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindEarlyOption(c.arguments), c.expected) << c.arguments.join(' ').toStdString();
    EXPECT_TRUE(UsageText().startsWith("Usage: orvane-burn "));
    EXPECT_TRUE(VersionText().startsWith("orvane-burn (Orvane Burn) "));
}
