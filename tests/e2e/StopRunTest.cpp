// A run stopped by SIGINT, SIGTERM or SIGHUP in each of its phases: it ends
// with the aborted status and a reason naming the signal, and leaves the disc
// as far as the phase allows, and the sleep lock a phase took is released
// (the window's Abort button is tried in the window's own tests).
#include "PrivateSystemBus.h"
#include "ProgramRun.h"

#include <csignal>

namespace {

using namespace e2e;

enum class Phase { Checks, Erase, Burn, Verify };

struct StopCase
{
    const char *name; // also the test's name
    Phase phase;
    int signal;
};

const StopCase Stops[] = {
    {"SIGINT_during_the_checks", Phase::Checks, SIGINT},
    {"SIGTERM_during_the_checks", Phase::Checks, SIGTERM},
    {"SIGHUP_during_the_checks", Phase::Checks, SIGHUP},
    {"SIGINT_during_the_erase", Phase::Erase, SIGINT},
    {"SIGTERM_during_the_erase", Phase::Erase, SIGTERM},
    {"SIGHUP_during_the_erase", Phase::Erase, SIGHUP},
    {"SIGINT_during_the_burn", Phase::Burn, SIGINT},
    {"SIGTERM_during_the_burn", Phase::Burn, SIGTERM},
    {"SIGHUP_during_the_burn", Phase::Burn, SIGHUP},
    {"SIGINT_during_the_verify", Phase::Verify, SIGINT},
    {"SIGTERM_during_the_verify", Phase::Verify, SIGTERM},
    {"SIGHUP_during_the_verify", Phase::Verify, SIGHUP},
};

void PrintTo(const StopCase &stop, std::ostream *out)
{
    *out << stop.name;
}

// A burn at 1x (1385 kB/s) of a few megabytes takes seconds, and so does
// reading it back.
const QByteArray SlowDvdPlusRw =
    QByteArray(BlankDvdPlusRw).replace("4x 8x\npacing = full-speed", "1x\npacing = paced");

class StopRunTest : public UnattendedRunTest, public testing::WithParamInterface<StopCase>
{
protected:
    // Waits until standard output holds marker, keeping what was read in
    // m_out; false when the run ended first.
    bool WaitForOutput(QProcess &process, const QString &marker)
    {
        for (int i = 0; i < 1200 && !m_out.contains(marker.toUtf8()); ++i) {
            if (process.state() == QProcess::NotRunning)
                return false;
            process.waitForReadyRead(50);
            m_out += process.readAllStandardOutput();
        }
        return m_out.contains(marker.toUtf8());
    }

    QByteArray m_out;
};

TEST_P(StopRunTest, EndsAbortedNamingTheSignalAndLeavesTheDiscAsThePhaseAllows)
{
    const StopCase &stop = GetParam();
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    QStringList arguments{u"-d"_s, m_source};
    QString marker;
    switch (stop.phase) {
    case Phase::Checks:
        // A used disc under -o: the checks of a folder of many files come
        // before its erase, which the signal must prevent.
        UseUsedDisc(QByteArray(UsedDvdPlusRw).replace("erase-time-scale = 0", "erase-time-scale = 0.01"));
        QDir().mkpath(m_source + u"/EXTRAS"_s);
        for (int i = 0; i < 1000; ++i)
            QFile(m_source + u"/EXTRAS/%1"_s.arg(i)).open(QIODevice::WriteOnly);
        arguments.prepend(u"-o"_s);
        marker = Text(702);
        break;
    case Phase::Erase:
        UseUsedDisc(QByteArray(UsedDvdPlusRw).replace("erase-time-scale = 0", "erase-time-scale = 0.25"));
        arguments.prepend(u"-o"_s);
        marker = Text(799);
        break;
    case Phase::Burn:
        UseRecorders(SlowDvdPlusRw);
        AddFiller(4 * 1024 * 1024);
        marker = u"=> Writing the disc"_s;
        break;
    case Phase::Verify:
        UseRecorders(SlowDvdPlusRw);
        AddFiller(2 * 1024 * 1024);
        m_copy.WriteFile(u"Orvane.ini"_s, "BurnFlags: 440\n");
        marker = u"=> Verifying the written data"_s;
        break;
    }
    const QByteArray before = MediumSnapshot();

    QProcess process;
    StartProgram(process, arguments);
    ASSERT_TRUE(WaitForOutput(process, marker)) << m_out.toStdString();
    ASSERT_EQ(::kill(pid_t(process.processId()), stop.signal), 0);
    ProgramRun run = WaitForProgram(process);
    run.out.prepend(QString::fromUtf8(m_out));

    const QString name = QString::fromLatin1(sigabbrev_np(stop.signal)).prepend(u"SIG"_s);
    EXPECT_EQ(run.exitCode, runexit::BurnAborted) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(Text(921).replace(u"%s"_s, name))) << run.err.toStdString();
    const QString last = Lines(run.err).value(Lines(run.err).size() - 1);
    EXPECT_TRUE(last.startsWith(u"Exit status 9 "_s) && last.contains(name)) << last.toStdString();
    EXPECT_FALSE(run.out.contains(Text(784))) << run.out.toStdString();
    if (stop.phase == Phase::Erase) {
        // An erase a drive has begun runs to its end; the burn after it never starts.
        EXPECT_FALSE(run.out.contains(u"=> Writing the disc"_s)) << run.out.toStdString();
        EXPECT_TRUE(MediumSnapshot() == before || ReadFile(Image() + u".state"_s).contains(u"blank = yes"_s))
            << ReadFile(Image() + u".state"_s).toStdString();
    } else {
        EXPECT_EQ(MediumSnapshot(), before) << "the medium and its state are as they were";
    }
    EXPECT_TRUE(stop.phase != Phase::Checks || !run.out.contains(Text(779)) || run.out.contains(Text(1046)))
        << "said to be erased, but not";
    if (stop.phase != Phase::Checks) {
        EXPECT_TRUE(bus.WaitForLine(PrivateSystemBus::Fake::Logind, u"Released"_s, 2000)) << "the lock ends";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPhaseAndSignal, StopRunTest, testing::ValuesIn(Stops),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
