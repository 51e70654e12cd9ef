// Nothing changes the disc before every check has passed: a termination
// signal during the checks of a long folder walk ends the run aborted, with
// the used disc and its state as they were. After that point the sources are
// held to the stamps taken before it: a file rewritten in place during the
// burn, its size and modification time put back, fails the burn.
#include "ProgramRun.h"

#include <sys/stat.h>

namespace {

using namespace e2e;

TEST_F(UnattendedRunTest, SignalDuringTheChecksLeavesTheUsedDiscAsItWas)
{
    const QString many = m_source + u"/many"_s;
    ASSERT_TRUE(QDir().mkpath(many));
    for (int i = 0; i < 100000; ++i)
        ASSERT_TRUE(QFile(many + u"/f%1"_s.arg(i)).open(QIODevice::WriteOnly));
    UseUsedDisc();
    const QByteArray before = MediumSnapshot();

    QProcess process;
    StartProgram(process, {u"-o"_s, u"-d"_s, m_source});
    QByteArray out;
    for (int i = 0; i < 600 && !out.contains("Adding file") && process.state() == QProcess::Running; ++i) {
        process.waitForReadyRead(100);
        out += process.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("Adding file")) << "the walk has begun";
    process.terminate();
    ProgramRun run = WaitForProgram(process);
    run.out.prepend(QString::fromUtf8(out));

    EXPECT_EQ(run.exitCode, runexit::BurnAborted) << run.err.toStdString();
    EXPECT_TRUE(Lines(run.err).value(Lines(run.err).size() - 1).contains(u"SIGTERM"_s))
        << "the reason names the signal";
    EXPECT_FALSE(run.out.contains(Text(779))) << "never said to be erased";
    EXPECT_EQ(MediumSnapshot(), before) << "the medium and its state are as they were";
}

TEST_F(UnattendedRunTest, SourceRewrittenInPlaceDuringTheBurnFailsItNamingTheFile)
{
    // Larger than the stream reads ahead, so its end is read after the rewrite.
    AddFiller(24 * 1024 * 1024);
    const QString filler = m_source + u"/FILLER.BIN"_s;
    struct stat before
    {
    };
    ASSERT_EQ(::stat(qPrintable(filler), &before), 0);
    UseRecorders(QByteArray(BlankDvdPlusRw).replace("pacing = full-speed", "pacing = paced"));

    QProcess process;
    StartProgram(process, {u"-d"_s, m_source});
    QByteArray out;
    for (int i = 0; i < 600 && !out.contains("=> Writing the disc") && process.state() == QProcess::Running;
         ++i) {
        process.waitForReadyRead(50);
        out += process.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("=> Writing the disc")) << out.toStdString();
    {
        QFile file(filler);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.write("rewritten", 9) == 9);
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, qPrintable(filler), times, 0), 0);
    ProgramRun run = WaitForProgram(process);

    EXPECT_EQ(run.exitCode, runexit::BurnFailed) << run.err.toStdString();
    const QString last = Lines(run.err).value(Lines(run.err).size() - 1);
    EXPECT_TRUE(last.contains(u"changed while it was being burned: "_s + filler)) << last.toStdString();
}

} // namespace
