// The built program run unattended from its command line, without a
// display, in a copied program folder with its own virtual recorder: exit
// status, the image it wrote (read with libdvdread, libudfread and isoinfo
// through orvane-imagecheck), the log file on the desktop, the erase before
// the burn and the power-off at the end.
#include "PrivateSystemBus.h"
#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include "app/RunExitStatus.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

const QByteArray BlankDvdPlusRw = "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
                                  "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";
const QByteArray UsedDvdPlusRw = "[Test DVD Writer]\nmedium = DVD+RW written\nfile = media/test-dvd.iso\n"
                                 "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

// Written at 1x (1385 kB/s): a burn of a few megabytes takes seconds.
const QByteArray PacedBlankDvdPlusRw = "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
                                       "speeds = 1x\npacing = paced\nerase-time-scale = 0\n";

constexpr int RunTimeoutMs = 90000;

struct ProgramRun
{
    bool finished = false;
    int exitCode = -1;
    QString standardError;
};

class UnattendedRunTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_source = testenv::makeTempDir(QStringLiteral("films")) + QStringLiteral("/my film");
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_source);
        m_home = testenv::makeTempDir(QStringLiteral("home"));
        QDir().mkpath(Desktop());
        UseRecorders(BlankDvdPlusRw);
    }

    void UseRecorders(const QByteArray &config)
    {
        m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"), config);
    }

    // Starts the program as a person would from a shell without a display:
    // no platform chosen, no DISPLAY; the program picks offscreen itself.
    void StartProgram(QProcess &process, const QStringList &arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), m_home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/.config"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_home);
        process.start(m_copy.Executable(), arguments);
        process.waitForStarted();
    }

    ProgramRun RunProgram(const QStringList &arguments) const
    {
        QProcess process;
        StartProgram(process, arguments);
        return WaitForProgram(process);
    }

    static ProgramRun WaitForProgram(QProcess &process)
    {
        ProgramRun run;
        run.finished = process.waitForFinished(RunTimeoutMs);
        if (!run.finished) {
            process.kill();
            process.waitForFinished(2000);
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.standardError = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    // A language text as the shipped english.lng words it.
    QString Text(int id) const
    {
        QFile file(m_copy.File(QStringLiteral("english.lng")));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        const QString prefix = QString::number(id) + QStringLiteral(": ");
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).trimmed();
        }
        return QString();
    }

    // Makes the source folder bigger by a file of this size beside VIDEO_TS.
    void AddFiller(qint64 bytes) const
    {
        QFile filler(m_source + QStringLiteral("/FILLER.BIN"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        ASSERT_TRUE(filler.resize(bytes));
    }

    // The medium and its state file, to compare before and after a run.
    QByteArray MediumSnapshot() const
    {
        QFile medium(Image());
        const QByteArray bytes = medium.open(QIODevice::ReadOnly) ? medium.readAll() : QByteArray("(none)");
        return bytes + "|state|" + ReadFile(Image() + QStringLiteral(".state")).toUtf8();
    }

    QString Desktop() const { return m_home + QStringLiteral("/Desktop"); }
    QString Image() const { return m_copy.File(QStringLiteral("media/test-dvd.iso")); }
    qint64 ImageSize() const { return QFileInfo(Image()).size(); }

    // orvane-imagecheck from the program folder: libdvdread, libudfread and
    // isoinfo read the image.
    void ExpectGoodImage() const
    {
        QProcess check;
        check.start(m_copy.File(QStringLiteral("orvane-imagecheck")), {Image()});
        ASSERT_TRUE(check.waitForFinished(60000));
        const QString report = QString::fromUtf8(check.readAllStandardOutput());
        EXPECT_EQ(check.exitCode(), 0) << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("== image is good")));
    }

    QString VolumeId() const
    {
        QProcess isoinfo;
        isoinfo.start(QStringLiteral("isoinfo"), {QStringLiteral("-d"), QStringLiteral("-i"), Image()});
        if (!isoinfo.waitForFinished(30000))
            return QString();
        const QRegularExpression volume(QStringLiteral("^Volume id: *(.*)$"),
                                        QRegularExpression::MultilineOption);
        return volume.match(QString::fromUtf8(isoinfo.readAllStandardOutput())).captured(1).trimmed();
    }

    QString ReadFile(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    ProgramFolderCopy m_copy;
    QString m_source;
    QString m_home;
};

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
    // announced the log file and kept the disc in the recorder.
    EXPECT_TRUE(log.contains(Text(706).section(QStringLiteral("%s"), 0, 0) + Desktop() +
                             QStringLiteral("/UNDEFINED.log")))
        << "announced with the label the window held when -s was read";
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

// A start without a command line (or with a one-character one) needs a
// person at the window; without a display it says so and ends.
TEST_F(UnattendedRunTest, PlainStartWithoutADisplayEndsWithAReason)
{
    for (const QStringList &arguments : {QStringList(), QStringList{QStringLiteral("x")}}) {
        const ProgramRun run = RunProgram(arguments);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, runexit::NothingToBurn) << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.contains(Text(920) + QLatin1Char('\n')))
            << run.standardError.toStdString();
    }
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
