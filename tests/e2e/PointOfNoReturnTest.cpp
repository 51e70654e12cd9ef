// Nothing changes the disc before every check has passed: a termination
// signal during the checks of a long folder walk ends the run aborted, with
// the used disc and its state as they were.
#include "ProgramRun.h"

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

} // namespace
