#include "cmdline/CommandLineOptions.h"
#include "cmdline/CommandLineTokenizer.h"
#include "cmdline/EarlyOptions.h"
#include "cmdline/OpenWith.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cmdline;

namespace {

std::vector<int> LoggedTexts(const ParsedCommandLine &parsed)
{
    std::vector<int> ids;
    for (const Step &step : parsed.steps) {
        if (step.textId != 0)
            ids.push_back(step.textId);
    }
    return ids;
}

// The letter is the second character in either case after '-' or '/'. A
// two-character token starting with '/' is an option only when it names no
// existing path; every other such token is a path. A value arrives exactly
// as given, and one that looks like an option is not consumed.
TEST(ParseCommandLine, ReadsOptionsPathsAndValuesExactly)
{
    const struct
    {
        QStringList tokens;
        std::vector<int> logged;
        QStringList values; // the folder, image and label values read, in order
        bool parseError;
    } cases[] = {
        {{"-d", "film"}, {644}, {"film"}, false},
        {{"/D", "film"}, {644}, {"film"}, false},
        {{"-Dossier", "film"}, {644}, {"film"}, false},
        {{"-d", "/media/dvd/MY_FILM", "-v", "/x/LABEL"},
         {644, 646},
         {"/media/dvd/MY_FILM", "/x/LABEL"},
         false},
        {{"-d", "/usr", "-v", "/"}, {644, 646}, {"/usr", "/"}, false},
        {{"-d", "/q"}, {598}, {}, true},
        {{"-d", "/x\" -s \"", "-v", "A\"B"}, {644, 646}, {"/x\" -s \"", "A\"B"}, false},
        {{"-d", "my  film", "-v", " two  blanks "}, {644, 646}, {"my  film", " two  blanks "}, false},
        {{"-d", "", "-v", "L"}, {644, 646}, {"", "L"}, false},
        {{"-d", "film", "-v"}, {644, 600}, {"film"}, true},
        {{"-d", "-v", "LABEL"}, {598, 646}, {"LABEL"}, true},
        {{"-v", "/x"}, {600, 602}, {}, true},
        {{"film"}, {602}, {}, true},
        {{"-x"}, {602}, {}, true},
        {{"-"}, {602}, {}, true},
        {{"/home/me/film"}, {602}, {}, true},
        {{"--json", "-d", "film"}, {644}, {"film"}, false},
        {{"--JSON"}, {602}, {}, true},
        {{"-q", "--json"}, {1150}, {}, true},
        {{"-i", "/media/film.iso"}, {1168}, {"/media/film.iso"}, false},
        {{"-i", "-v", "L"}, {1167, 646}, {"L"}, true},
        {{"-I", "a.iso", "-d", "film"}, {1168, 644, 1166}, {"a.iso", "film"}, true},
        {{"-n", "3", "-k"}, {1191, 1192}, {}, false},
        {{"-n", "0"}, {1190}, {}, true},
        {{"/N", "100"}, {1190}, {}, true},
        {{"-n", "x"}, {1190}, {}, true},
        {{"-n", "3x"}, {1190}, {}, true},
        {{"-n", "-k"}, {1190, 1192}, {}, true},
        {{"-n"}, {1190}, {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tokens.join(' ').toStdString());
        const ParsedCommandLine parsed = ParseCommandLine(c.tokens);
        EXPECT_EQ(LoggedTexts(parsed), c.logged);
        QStringList values;
        for (const Step &step : parsed.steps) {
            if (step.kind == StepKind::SourceFolder || step.kind == StepKind::VolumeLabel ||
                step.kind == StepKind::ImageFile)
                values << step.value;
        }
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(parsed.parseError, c.parseError);
        EXPECT_FALSE(parsed.shutdownWanted || parsed.prepareOnly);
    }
    const ParsedCommandLine all =
        ParseCommandLine({"-e", "-v", "MY_FILM", "-l", "-o", "-s", "-d", "dir", "-c"});
    EXPECT_FALSE(all.parseError);
    EXPECT_EQ(LoggedTexts(all), (std::vector<int>{708, 646, 712, 650, 648, 644}))
        << "each option in token order";
    EXPECT_TRUE(all.folderGiven && all.labelGiven && all.logWanted && all.shutdownWanted && all.prepareOnly);
    for (const auto &[tokens, copies] :
         {std::pair{QStringList{"-n", "1"}, 1}, {{"/n", "99"}, 99}, {{"-d", "f"}, 1}})
        EXPECT_EQ(ParseCommandLine(tokens).copies, copies) << tokens.join(' ').toStdString();
    const ParsedCommandLine quiet = ParseCommandLine({"/q", "-d", "/tmp"});
    EXPECT_FALSE(quiet.parseError);
    EXPECT_TRUE(quiet.quiet);
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
    // The manual page is made from this text.
    EXPECT_TRUE(UsageText().contains("\n  --check -d FOLDER"));
    EXPECT_TRUE(VersionText().startsWith("orvane-burn (Orvane Burn) "));
}

// "Open with" hands one existing .iso file; anything else is a command line.
TEST(ImageToOpen, OnlyASingleExistingIsoFileOpensTheWindowWithIt)
{
    const QTemporaryDir dir;
    const QString image = dir.filePath("Film.ISO");
    QFile(image).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("folder.iso");
    const struct
    {
        QStringList arguments;
        bool opens;
    } cases[] = {
        {{image}, true},
        {{dir.filePath("gone.iso")}, false},
        {{dir.filePath("folder.iso")}, false},
        {{image, "-o"}, false},
        {{"-i", image}, false},
        {{"-d"}, false},
        {{}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ImageToOpen(c.arguments).has_value(), c.opens) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(ImageToOpen({image}), image);
}

} // namespace
