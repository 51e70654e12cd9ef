// The built program run unattended from its command line, without a
// display, in a copied program folder with its own virtual recorder: exit
// status, the image it wrote (read with libdvdread, libudfread and isoinfo
// through orvane-imagecheck), the log file on the desktop, the erase before
// the burn, the power-off at the end, signals and file-size limits.
#include "PrivateSystemBus.h"
#include "UnattendedRunFixture.h"

#include "app/RunExitStatus.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

using namespace e2e;

TEST_F(UnattendedRunTest, FolderAloneBurnsWithTheFolderLabelAndExitsZero)
{
    const ProgramRun run = RunProgram({QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished) << "the run closes the window itself";
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    ExpectGoodImage();
    EXPECT_EQ(VolumeId(), QStringLiteral("MY_FILM"));
    EXPECT_TRUE(QDir(Desktop()).entryList(QDir::Files).isEmpty()) << "no log file without -l";
}

TEST_F(UnattendedRunTest, LogOptionWritesTheRunsLogFileOnTheDesktop)
{
    const ProgramRun run = RunProgram({QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    const QString log = ReadFile(Desktop() + QStringLiteral("/MY_FILM.log"));
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.startsWith(Text(562).section(QStringLiteral("\\n"), 0, 0)))
        << "the unattended run's template";
    EXPECT_TRUE(log.contains(Text(654)));
    EXPECT_TRUE(log.contains(Text(712)));
    EXPECT_TRUE(log.contains(Text(784))) << "written after the burn";
}

// The program carries the English texts: an emptied language file still
// gives a whole log.
TEST_F(UnattendedRunTest, EmptyLanguageFileStillWritesAWholeEnglishLog)
{
    const QString runStarted = Text(654);
    const QString burned = Text(784);
    ASSERT_FALSE(burned.isEmpty());
    m_copy.WriteFile(QStringLiteral("english.lng"), QByteArray());
    const ProgramRun run = RunProgram({QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    const QString log = ReadFile(Desktop() + QStringLiteral("/MY_FILM.log"));
    EXPECT_TRUE(log.contains(runStarted)) << log.toStdString();
    EXPECT_TRUE(log.contains(burned));
}

TEST_F(UnattendedRunTest, PrepareOnlyWithoutADisplayBurnsNothingAndEnds)
{
    const qint64 before = ImageSize();
    const ProgramRun run = RunProgram({QStringLiteral("-c"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished) << "nobody could press Burn: the window must not wait";
    EXPECT_EQ(run.exitCode, runexit::NothingToBurn);
    EXPECT_EQ(ImageSize(), before);
}

TEST_F(UnattendedRunTest, StrayTokenLogsTheErrorBurnsNothingAndExitsWithTheParseStatus)
{
    const qint64 before = ImageSize();
    const ProgramRun run =
        RunProgram({QStringLiteral("stray"), QStringLiteral("-d"), m_source, QStringLiteral("-l")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::ParseError);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("[CL parsing error!] ") + Text(602)))
        << run.standardError.toStdString();
    EXPECT_EQ(ImageSize(), before);
    EXPECT_TRUE(QDir(Desktop()).entryList(QDir::Files).isEmpty());
}

TEST_F(UnattendedRunTest, RefusedLabelExitsWithItsStatus)
{
    const ProgramRun run =
        RunProgram({QStringLiteral("-d"), m_source, QStringLiteral("-v"), QStringLiteral("BAD!NAME")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::LabelRefused) << run.standardError.toStdString();
}

TEST_F(UnattendedRunTest, OverwriteOptionErasesAUsedRewritableWithoutAskingAndBurns)
{
    UseRecorders(UsedDvdPlusRw);
    const ProgramRun run =
        RunProgram({QStringLiteral("-o"), QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    EXPECT_FALSE(run.standardError.contains(QStringLiteral("[Overwrite ReWriteable?!]")))
        << "nothing was asked";
    ExpectGoodImage();
    const QString log = ReadFile(Desktop() + QStringLiteral("/MY_FILM.log"));
    EXPECT_TRUE(log.contains(Text(779) + QStringLiteral(" DVD+RW"))) << log.toStdString();
}

TEST_F(UnattendedRunTest, UsedRewritableWithoutOverwriteOptionIsLeftAlone)
{
    UseRecorders(UsedDvdPlusRw);
    const ProgramRun run = RunProgram({QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::OverwriteDeclined) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("[Overwrite ReWriteable?!]")))
        << "the question answered its default, No";
}

TEST_F(UnattendedRunTest, ShutdownOptionEndsInPowerOffAfterTheBurn)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    const ProgramRun run =
        RunProgram({QStringLiteral("-s"), QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    EXPECT_TRUE(bus.WaitForPowerOffCalls(1, 10000));
    EXPECT_EQ(bus.PowerOffCalls().size(), 1);
    ExpectGoodImage();
    // The shutdown writes its own log file (the unattended run's is left out).
    const QString log = ReadFile(Desktop() + QStringLiteral("/MY_FILM.log"));
    EXPECT_TRUE(log.contains(Text(648)));
    // The Shutdown box's own handler saw the tick the option set: it
    // announced the log file it really writes (the label taken from the
    // folder) and kept the disc in the recorder.
    EXPECT_TRUE(log.contains(Text(706).section(QStringLiteral("%s"), 0, 0) + Desktop() +
                             QStringLiteral("/MY_FILM.log")))
        << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("=> Ejecting the disc")));
    EXPECT_TRUE(log.startsWith(Text(560).section(QStringLiteral("\\n"), 0, 0))) << log.toStdString();
}

TEST_F(UnattendedRunTest, FailedRunWithShutdownOptionNeitherPowersOffNorWaits)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    const ProgramRun run = RunProgram({QStringLiteral("-s"), QStringLiteral("-d"), m_source,
                                       QStringLiteral("-v"), QStringLiteral("BAD!NAME")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::LabelRefused) << run.standardError.toStdString();
    EXPECT_FALSE(bus.WaitForPowerOffCalls(1, 2000));
    EXPECT_TRUE(QDir(Desktop()).entryList(QDir::Files).isEmpty()) << "no shutdown log file";
}

// A start without arguments needs a person at the window; without a
// display it says so and ends. One argument, even of one character, is a
// command line: it is read, and a stray one is a parse error.
TEST_F(UnattendedRunTest, PlainStartWithoutADisplayEndsWithAReason)
{
    ProgramRun run = RunProgram({});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::NothingToBurn) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(Text(920) + QLatin1Char('\n'))) << run.standardError.toStdString();

    run = RunProgram({QStringLiteral("x")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::ParseError) << run.standardError.toStdString();
}

// SIGTERM in the middle of a burn acts as Abort: the library gives up, the
// medium stays as it was, the run says why and ends with the aborted status.
TEST_F(UnattendedRunTest, TerminationSignalDuringTheBurnAbortsItAndExitsAborted)
{
    UseRecorders(PacedBlankDvdPlusRw);
    AddFiller(24 * 1024 * 1024);
    const QByteArray before = MediumSnapshot();
    QProcess process;
    StartProgram(process, {QStringLiteral("-d"), m_source});
    const QDir media(m_copy.File(QStringLiteral("media")));
    QElapsedTimer waited;
    waited.start();
    bool ended = false;
    while (media.entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty() && waited.elapsed() < 30000 &&
           !ended)
        ended = process.waitForFinished(50);
    ASSERT_FALSE(ended) << "the burn is still writing";
    ASSERT_FALSE(process.waitForFinished(500));
    process.terminate();
    const ProgramRun run = WaitForProgram(process);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::BurnAborted) << run.standardError.toStdString();
    EXPECT_TRUE(
        run.standardError.contains(Text(921).replace(QStringLiteral("%s"), QStringLiteral("SIGTERM"))))
        << run.standardError.toStdString();
    EXPECT_EQ(MediumSnapshot(), before) << "the medium and its state are as they were";
}

// A write beyond the process's file-size limit fails and is reported as a
// failed burn; the process is not ended by SIGXFSZ.
TEST_F(UnattendedRunTest, FileSizeLimitFailsTheBurnInsteadOfEndingTheProcess)
{
    AddFiller(8 * 1024 * 1024);
    QProcess process;
    process.setChildProcessModifier([] {
        // What a shell's "ulimit -f" leaves a program: the default action.
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{2 * 1024 * 1024, 2 * 1024 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    StartProgram(process, {QStringLiteral("-d"), m_source});
    const ProgramRun run = WaitForProgram(process);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::BurnFailed)
        << "reported, not ended by a signal: " << run.standardError.toStdString();
}

// The Image Recorder asks where the image goes; without a display nobody
// could answer, so the question counts as cancelled and the run ends.
TEST_F(UnattendedRunTest, ImageRecorderWithoutADisplayEndsInsteadOfWaitingForTheFileDialog)
{
    m_copy.WriteFile(QStringLiteral("Orvane.ini"), "Device: Image Recorder\n");
    const ProgramRun run = RunProgram({QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished) << "no file dialog waits for a person";
    EXPECT_EQ(run.exitCode, runexit::BurnAborted) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("[Image file]")));
}

} // namespace
