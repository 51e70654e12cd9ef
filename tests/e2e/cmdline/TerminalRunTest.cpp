// The built program on a terminal: its arguments reach the run exactly as
// the shell split them, the log pane's lines appear on standard output,
// progress on standard error, and every failure ends with its reason.
#include "PrivateSystemBus.h"
#include "UnattendedRunFixture.h"

#include "app/RunExitStatus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <ostream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace e2e;

class TerminalRunTest : public UnattendedRunTest
{
protected:
    // A copy of the sample under a name of our choosing, beside m_source.
    QString SourceNamed(const QString &name) const
    {
        const QString folder = QFileInfo(m_source).path() + QLatin1Char('/') + name;
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), folder);
        return folder;
    }

    // "Command line: source folder ..." as the run logs it.
    QString FolderLine(const QString &folder) const
    {
        return Text(644).replace(QStringLiteral("%s"), folder);
    }

    static QStringList Lines(const QString &text)
    {
        return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Runs a bash script with the program as $0 and the rest as $1...,
    // in the environment RunProgram gives it.
    ProgramRun RunScript(const QString &script, const QStringList &arguments = {}) const
    {
        QProcess process;
        process.setProgram(QStringLiteral("/bin/bash"));
        process.setArguments(QStringList{QStringLiteral("-c"), script, m_copy.Executable()} + arguments);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), m_home);
        process.setProcessEnvironment(env);
        process.start();
        return WaitForProgram(process);
    }

    // The status and its meaning that open the last line on standard error.
    QString ReasonStart(int status) const
    {
        return QStringLiteral("Exit status %1 (%2): ").arg(status).arg(Text(975 + status));
    }
};

// A value holding quotes and an option-like tail is one token: no -s (the
// fake logind sees no power-off), no -c (the burn runs). The label is given:
// a quote cannot stand in one.
TEST_F(TerminalRunTest, QuotedValueReachesTheRunUnchangedAndInjectsNothing)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    const QString folder = SourceNamed(QStringLiteral("x\" -s -c \"y"));
    const ProgramRun run =
        RunProgram({QStringLiteral("-d"), folder, QStringLiteral("-v"), QStringLiteral("QUOTED")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    EXPECT_TRUE(Lines(run.standardOutput).contains(FolderLine(folder))) << run.standardOutput.toStdString();
    EXPECT_FALSE(run.standardOutput.contains(Text(648))) << "no -s was read";
    EXPECT_FALSE(bus.WaitForPowerOffCalls(1, 1000));
    ExpectGoodImage();
}

// Two blanks in a row stay two blanks.
TEST_F(TerminalRunTest, FolderWithTwoBlanksInItsNameBurns)
{
    const QString folder = SourceNamed(QStringLiteral("two  blanks"));
    const ProgramRun run = RunProgram({QStringLiteral("-d"), folder});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    EXPECT_TRUE(Lines(run.standardOutput).contains(FolderLine(folder))) << run.standardOutput.toStdString();
    ExpectGoodImage();
}

// "/name" has no second '/', yet it is a folder, not an option.
TEST_F(TerminalRunTest, OneComponentAbsoluteFolderBurns)
{
    const QString folder = QStringLiteral("/orvane-term-%1").arg(::getpid());
    if (!QDir(QStringLiteral("/")).mkdir(folder.mid(1)))
        GTEST_SKIP() << "/ cannot be written here";
    QDir(folder).removeRecursively();
    testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), folder);
    const ProgramRun run = RunProgram({QStringLiteral("-d"), folder});
    QDir(folder).removeRecursively();
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    ExpectGoodImage();
}

// Standard output carries exactly the log pane's lines: the -l log file
// holds the pane below its header, so the whole output appears in it.
TEST_F(TerminalRunTest, TerminalLogIsTheLogPaneAndProgressComesInTenths)
{
    UseRecorders(PacedBlankDvdPlusRw);
    AddFiller(6 * 1024 * 1024);
    const ProgramRun run = RunProgram({QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    const QString log = ReadFile(Desktop() + QStringLiteral("/MY_FILM.log"));
    ASSERT_FALSE(run.standardOutput.isEmpty());
    EXPECT_TRUE(log.contains(run.standardOutput.trimmed())) << run.standardOutput.toStdString() << "\n---\n"
                                                            << log.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(QStringLiteral("\n=> ")) &&
                run.standardOutput.contains(Text(784)));
    // Standard error is a pipe: one line per tenth, counting up to 100 %.
    const QRegularExpression progress(QStringLiteral("^.* (\\d+) %, .*$"),
                                      QRegularExpression::MultilineOption);
    QList<int> percents;
    for (auto match = progress.globalMatch(run.standardError); match.hasNext();)
        percents << match.next().captured(1).toInt();
    ASSERT_GE(percents.size(), 5) << run.standardError.toStdString();
    EXPECT_EQ(percents.last(), 100);
    for (qsizetype i = 1; i < percents.size(); ++i)
        EXPECT_GT(percents[i] / 10, percents[i - 1] / 10) << "one line per tenth";
}

// The erase and the burn that follows it each show their own progress
// (the bar starts again at 0 of 100 for the burn, under the burn's phase).
TEST_F(TerminalRunTest, BurnAfterTheEraseShowsItsOwnProgress)
{
    UseRecorders(UsedDvdPlusRw);
    const ProgramRun run = RunProgram({QStringLiteral("-o"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    const QStringList lines = Lines(run.standardError);
    const qsizetype erase =
        lines.indexOf(QRegularExpression(QRegularExpression::escape(Text(794)) + QStringLiteral(".*")));
    const qsizetype burn =
        lines.indexOf(QRegularExpression(QRegularExpression::escape(Text(780)) + QStringLiteral(" 100 %.*")));
    EXPECT_GE(erase, 0) << run.standardError.toStdString();
    EXPECT_GT(burn, erase) << run.standardError.toStdString();
}

// A reader that stops reading (a pipe into "head") must not end the burn.
TEST_F(TerminalRunTest, ClosedStandardOutputDoesNotEndTheBurn)
{
    const ProgramRun run = RunScript(
        QStringLiteral("\"$0\" -d \"$1\" | head -c 1 >/dev/null; exit ${PIPESTATUS[0]}"), {m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << "not ended by SIGPIPE";
    ExpectGoodImage();
}

TEST_F(TerminalRunTest, QuietSuccessPrintsNothingOnStandardOutput)
{
    const ProgramRun run = RunProgram({QStringLiteral("-q"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    EXPECT_EQ(run.standardOutput, QString());
    EXPECT_FALSE(run.standardError.contains(QStringLiteral(" %, "))) << "no progress";
    EXPECT_FALSE(run.standardError.contains(QStringLiteral("[Info]"))) << "no message box echo";
    ExpectGoodImage();
}

// Answered before any window: even a display that cannot be reached does
// not matter.
TEST_F(TerminalRunTest, HelpAndVersionExitZeroWithoutAWindow)
{
    for (const QString &option : {QStringLiteral("-h"), QStringLiteral("-?"), QStringLiteral("--help")}) {
        const ProgramRun run = RunProgram({QStringLiteral("-d"), m_source, option});
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0) << option.toStdString();
        EXPECT_TRUE(run.standardOutput.startsWith(QStringLiteral("Usage: orvane-burn")));
        EXPECT_TRUE(run.standardOutput.contains(QStringLiteral("Exit status:")));
        EXPECT_FALSE(run.standardOutput.contains(Text(654))) << "no run started";
    }
    const ProgramRun run = RunProgram({QStringLiteral("--version")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^orvane-burn \\(Orvane Burn\\) \\d+\\.\\d+\\.\\d+\\n$"))
                    .match(run.standardOutput)
                    .hasMatch())
        << run.standardOutput.toStdString();
    EXPECT_FALSE(QFile::exists(Image())) << "nothing touched the recorder";
}

struct FailureCase
{
    const char *name;
    runexit::Status status;
};

void PrintTo(const FailureCase &failure, std::ostream *out)
{
    *out << failure.name;
}

class FailureReasonTest : public TerminalRunTest, public testing::WithParamInterface<FailureCase>
{
protected:
    // Sets the case up; the arguments of its run and the cause its reason
    // line must name.
    void Arrange(const std::string &name, QStringList &arguments, QString &cause)
    {
        arguments = {QStringLiteral("-d"), m_source};
        if (name == "no recording library") {
            ASSERT_TRUE(QFile::remove(m_copy.File(QStringLiteral("NeroAPI.so"))));
        } else if (name == "stray token") {
            arguments << QStringLiteral("stray");
            cause = QStringLiteral("\"stray\"");
        } else if (name == "prepare only") {
            arguments << QStringLiteral("-c");
            cause = Text(987);
        } else if (name == "refused label") {
            arguments << QStringLiteral("-v") << QStringLiteral("BAD!NAME");
            cause = QStringLiteral("'!'");
        } else if (name == "recorder in use") {
            LockRecorder();
        } else if (name == "used disc without -o") {
            UseRecorders(UsedDvdPlusRw);
            cause = Text(988);
        } else if (name == "disc too small") {
            UseRecorders(BlankDvdPlusRw + "capacity = 100\n");
            cause = Text(910).section(QStringLiteral("%d"), 0, 0) + QStringLiteral("0");
        } else if (name == "write fails") {
            UseRecorders(BlankDvdPlusRw + "fault = fail-at-sector 40\n");
        } else if (name == "image recorder") {
            m_copy.WriteFile(QStringLiteral("Orvane.ini"), "Device: Image Recorder\n");
        }
    }

    // Another program holds the virtual recorder, as its lock file says.
    void LockRecorder()
    {
        QDir().mkpath(m_copy.File(QStringLiteral("media")));
        m_lock =
            ::open(QFile::encodeName(Image() + QStringLiteral(".lock")).constData(), O_CREAT | O_RDWR, 0644);
        ASSERT_GE(m_lock, 0);
        ASSERT_EQ(::flock(m_lock, LOCK_EX | LOCK_NB), 0);
    }

    void TearDown() override
    {
        if (m_lock >= 0)
            ::close(m_lock);
    }

    int m_lock = -1;
};

TEST_P(FailureReasonTest, LastLineOnStandardErrorNamesTheStatusAndItsCause)
{
    QStringList arguments;
    QString cause;
    Arrange(GetParam().name, arguments, cause);
    const ProgramRun run = RunProgram(arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, GetParam().status) << run.standardError.toStdString();
    const QString last = Lines(run.standardError).value(Lines(run.standardError).size() - 1);
    EXPECT_TRUE(last.startsWith(ReasonStart(GetParam().status))) << last.toStdString();
    const QString because = last.mid(ReasonStart(GetParam().status).size());
    EXPECT_FALSE(because.trimmed().isEmpty());
    EXPECT_TRUE(because.contains(cause)) << last.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryStatus, FailureReasonTest,
                         testing::Values(FailureCase{"no recording library", runexit::StartupFailed},
                                         FailureCase{"stray token", runexit::ParseError},
                                         FailureCase{"prepare only", runexit::NothingToBurn},
                                         FailureCase{"refused label", runexit::LabelRefused},
                                         FailureCase{"recorder in use", runexit::RecorderUnavailable},
                                         FailureCase{"used disc without -o", runexit::OverwriteDeclined},
                                         FailureCase{"disc too small", runexit::CompilationFailed},
                                         FailureCase{"write fails", runexit::BurnFailed},
                                         FailureCase{"image recorder", runexit::BurnAborted}),
                         [](const testing::TestParamInfo<FailureCase> &testInfo) {
                             std::string name = testInfo.param.name;
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

struct BadInputCase
{
    const char *name;
    int status;
};

void PrintTo(const BadInputCase &badInput, std::ostream *out)
{
    *out << badInput.name;
}

class BadInputTest : public TerminalRunTest, public testing::WithParamInterface<BadInputCase>
{
protected:
    QStringList Arguments(const std::string &name) const
    {
        if (name == "empty argument")
            return {QString()};
        if (name == "folder is a file")
            return {QStringLiteral("-d"), m_source + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO")};
        if (name == "missing folder")
            return {QStringLiteral("-d"), m_source + QStringLiteral("-gone")};
        if (name == "10000 arguments") {
            // The stray 100th token and all after it are dropped unread.
            QStringList arguments{QStringLiteral("-d"), m_source};
            while (arguments.size() < 99)
                arguments << QStringLiteral("-e");
            while (arguments.size() < 10000)
                arguments << QStringLiteral("stray");
            return arguments;
        }
        return {};
    }
};

TEST_P(BadInputTest, EndsWithItsStatusAndAReason)
{
    const ProgramRun run = RunProgram(Arguments(GetParam().name));
    ASSERT_TRUE(run.finished) << "no crash, no hang";
    EXPECT_EQ(run.exitCode, GetParam().status) << run.standardError.toStdString();
    if (GetParam().status != 0) {
        EXPECT_TRUE(Lines(run.standardError).last().startsWith(ReasonStart(GetParam().status)));
    }
}

INSTANTIATE_TEST_SUITE_P(Arguments, BadInputTest,
                         testing::Values(BadInputCase{"empty argument", runexit::ParseError},
                                         BadInputCase{"folder is a file", runexit::CompilationFailed},
                                         BadInputCase{"missing folder", runexit::CompilationFailed},
                                         BadInputCase{"10000 arguments", runexit::Success}),
                         [](const testing::TestParamInfo<BadInputCase> &testInfo) {
                             std::string name = testInfo.param.name;
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// Bytes that are not UTF-8 reach the parser without harm: a stray token.
TEST_F(TerminalRunTest, NonUtf8ArgumentIsAStrayToken)
{
    const ProgramRun run =
        RunScript(QStringLiteral("exec \"$0\" -v \"$(printf 'A\\377')\" \"$(printf '\\376')\""));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::ParseError) << run.standardError.toStdString();
}

} // namespace
