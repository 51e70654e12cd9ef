// Runs that burn.
#include "PrivateSystemBus.h"
#include "ProgramRun.h"

#include <QCryptographicHash>
#include <QThread>

#include <unistd.h>

namespace {

using namespace e2e;

// The label comes from the folder; a reader that stops reading (a pipe into
// "head") does not end the burn with SIGPIPE.
TEST_F(UnattendedRunTest, FolderAloneBurnsWithTheFolderLabelThroughAClosedPipe)
{
    const ProgramRun run =
        RunProgram({m_source}, u"\"$0\" -d \"$1\" | head -c 1 >/dev/null; exit ${PIPESTATUS[0]}"_s);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    ExpectGoodImage(Image());
    EXPECT_TRUE(Output(u"isoinfo"_s, {u"-d"_s, u"-i"_s, Image()}).contains(u"\nVolume id: MY_FILM\n"_s));
    EXPECT_TRUE(DesktopFiles().isEmpty()) << "no log file without -l";
    EXPECT_FALSE(run.err.contains(u"This plugin does not support"_s)) << "no platform chatter on a terminal";
}

// Standard output carries exactly the log pane's lines, which the -l log
// file holds below the unattended run's header. The folder argument reaches
// the run as the shell split it: quotes with an option-like tail inject no -s (the fake
// logind sees no power-off) and no -c (the burn runs), two blanks stay two,
// and "/name" without a second '/' is a folder, not an option.
TEST_F(UnattendedRunTest, OddFolderReachesTheRunWhoseLogFileHoldsTheOutput)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    const QString folder = u"/orvane-%1 x\" -s -c \"y  z"_s.arg(::getpid());
    m_source = QDir(u"/"_s).mkdir(folder.mid(1)) ? folder : testenv::makeTempDir(u"odd"_s) + folder;
    ASSERT_TRUE(
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_source));
    // A quote cannot stand in a label: one is given.
    const ProgramRun run = RunProgram({u"-l"_s, u"-d"_s, m_source, u"-v"_s, u"MY_FILM"_s});
    QDir(m_source).removeRecursively();
    EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_TRUE(Lines(run.out).contains(Text(644).replace(u"%s"_s, m_source))) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(Text(648))) << "no -s was read";
    EXPECT_FALSE(bus.WaitForPowerOffCalls(1, 1000));
    const QString log = RunLog();
    EXPECT_TRUE(log.startsWith(Text(562).section(u"\\n"_s, 0, 0))) << log.toStdString();
    for (int id : {654, 712, 784})
        EXPECT_TRUE(log.contains(Text(id))) << id;
    ASSERT_FALSE(run.out.isEmpty());
    EXPECT_TRUE(log.contains(run.out.trimmed())) << run.out.toStdString() << "\n---\n" << log.toStdString();
    EXPECT_TRUE(run.out.contains(u"\n=> "_s) && run.out.contains(Text(784)));
}

// The SHA-256 logged after a burn is that of the sectors on the disc, which
// the virtual medium holds at its start.
TEST_F(UnattendedRunTest, TheLogNamesTheSha256OfTheSectorsWritten)
{
    const ProgramRun run = RunProgram({u"-l"_s, u"-d"_s, m_source});
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    const QRegularExpressionMatch line =
        QRegularExpression(u"SHA-256 of the image as written: ([0-9a-f]{64}) \\((\\d+) sectors\\)"_s)
            .match(run.out);
    ASSERT_TRUE(line.hasMatch()) << run.out.toStdString();
    EXPECT_TRUE(RunLog().contains(line.captured(0)));
    QFile medium(Image());
    ASSERT_TRUE(medium.open(QIODevice::ReadOnly));
    const QByteArray sectors = medium.read(line.captured(2).toLongLong() * 2048);
    EXPECT_EQ(sectors.size(), line.captured(2).toLongLong() * 2048);
    EXPECT_EQ(QCryptographicHash::hash(sectors, QCryptographicHash::Sha256).toHex().toStdString(),
              line.captured(1).toStdString());
}

// The erase of -o is an erase like any other, and the burn after it has its
// own bar; the program's own English stands in for an emptied language file.
TEST_F(UnattendedRunTest, OverwriteErasesThenBurnsAndAnEmptyLanguageFileLosesNoText)
{
    UseUsedDisc();
    m_copy.WriteFile(u"english.lng"_s, QByteArray());
    const ProgramRun run = RunProgram({u"-o"_s, u"-l"_s, u"-d"_s, m_source});
    EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(u"[Overwrite ReWriteable?!]"_s)) << "nothing was asked";
    ExpectGoodImage(Image());
    const QString log = RunLog();
    EXPECT_TRUE(log.contains(Text(654))) << log.toStdString();
    EXPECT_TRUE(log.contains(Text(779) + u" DVD+RW"_s));
    const qsizetype estimate = log.indexOf(Text(798).section(u"%d"_s, 0, 0));
    EXPECT_GE(estimate, 0);
    EXPECT_GT(log.indexOf(Text(799)), estimate);
    EXPECT_GT(log.indexOf(Text(784)), log.indexOf(Text(799)));
    const QStringList lines = Lines(run.err);
    const qsizetype erase = lines.indexOf(QRegularExpression(QRegularExpression::escape(Text(794)) + ".*"));
    const qsizetype burn =
        lines.indexOf(QRegularExpression(QRegularExpression::escape(Text(780)) + u" 100 %.*"_s));
    EXPECT_GE(erase, 0) << run.err.toStdString();
    EXPECT_GT(burn, erase);
}

// What the run makes of its input other than it was given is logged: the
// label's origin and every change to it, the file system the settings fail
// to choose; loose DVD-Video files are checked like a VIDEO_TS folder.
TEST_F(UnattendedRunTest, ChangesToWhatWasGivenAreLogged)
{
    // The text with each %s filled in turn.
    const auto filled = [this](int id, const QStringList &values) {
        QString text = Text(id);
        for (const QString &value : values)
            if (const qsizetype at = text.indexOf(u"%s"_s); at >= 0)
                text.replace(at, 2, value);
        return text;
    };
    const QString longLabel(40, u'A');
    const struct
    {
        QStringList arguments;
        QByteArray settings;
        QStringList inLog;
    } cases[] = {
        {{u"-d"_s, m_source + u"/VIDEO_TS"_s},
         {},
         {filled(1043, {u"VIDEO_TS"_s, u"VIDEO_TS"_s}), filled(1044, {m_source}), Text(991)}},
        {{u"-o"_s, u"-d"_s, m_source, u"-v"_s, u"."_s}, {}, {filled(1045, {u"."_s, u"NO_NAME"_s})}},
        {{u"-o"_s, u"-d"_s, m_source, u"-v"_s, longLabel},
         {},
         {filled(1045, {longLabel, longLabel.left(32)})}},
        {{u"-o"_s, u"-d"_s, m_source}, "FSFlags: 0\n", {filled(1047, {u"0"_s}), filled(947, {u"UDF"_s})}},
    };
    for (const auto &c : cases) {
        m_copy.WriteFile(u"Orvane.ini"_s, c.settings);
        const ProgramRun run = RunProgram(c.arguments);
        EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
        for (const QString &line : c.inLog)
            EXPECT_TRUE(run.out.contains(line)) << line.toStdString() << "\n" << run.out.toStdString();
    }
}

// Quiet, too: nothing on standard output and no progress; the stray 100th
// argument and all after it are dropped unread.
TEST_F(UnattendedRunTest, SimulationLeavesAUsedDiscAsItWas)
{
    UseUsedDisc();
    const QByteArray medium = MediumSnapshot();
    m_copy.WriteFile(u"Orvane.ini"_s, "BurnFlags: 0x42\n");
    const ProgramRun run = RunProgram(QStringList{u"-q"_s, u"-o"_s, u"-l"_s, u"-d"_s, m_source} +
                                      QStringList(94, u"-e"_s) + QStringList(10000 - 99, u"stray"_s));
    EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_EQ(run.out, QString());
    EXPECT_FALSE(run.err.contains(u" %, "_s)) << "no progress";
    EXPECT_FALSE(run.err.contains(u"[Info]"_s)) << "no message box echo";
    EXPECT_EQ(MediumSnapshot(), medium);
    const QString log = RunLog();
    EXPECT_TRUE(log.contains(Text(911))) << log.toStdString();
    EXPECT_TRUE(log.contains(Text(912)));
    EXPECT_FALSE(log.contains(Text(784))) << "a simulation is not a burned disc";
    EXPECT_FALSE(log.contains(Text(799))) << "nothing was erased";
}

// The shutdown's own log file is announced under the label taken from the
// folder; the disc stays in the recorder.
TEST_F(UnattendedRunTest, ShutdownOptionPowersOffOnlyAfterABurn)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    ProgramRun run = RunProgram({u"-s"_s, u"-d"_s, m_source, u"-v"_s, u"BAD!NAME"_s});
    EXPECT_EQ(run.exitCode, runexit::LabelRefused) << run.err.toStdString();
    EXPECT_FALSE(bus.WaitForPowerOffCalls(1, 2000));
    EXPECT_TRUE(DesktopFiles().isEmpty()) << "no shutdown log file";
    EXPECT_TRUE(bus.InhibitLines().isEmpty()) << "no lock before the disc would change";

    run = RunProgram({u"-s"_s, u"-l"_s, u"-d"_s, m_source});
    EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_TRUE(bus.WaitForPowerOffCalls(1, 10000));
    EXPECT_EQ(bus.PowerOffCalls().size(), 1);
    // Sleep held off for the burn and released before the power-off.
    const QStringList locks = bus.InhibitLines();
    ASSERT_EQ(locks.size(), 3) << locks.join(u'\n').toStdString();
    EXPECT_TRUE(locks[0].startsWith(u"Inhibit sleep:idle:handle-lid-switch|Orvane Burn|"_s) &&
                locks[0].contains(u"MY_FILM"_s) && locks[0].endsWith(u"|block"_s))
        << locks[0].toStdString();
    EXPECT_EQ(locks.mid(1), (QStringList{u"Released"_s, u"PowerOff"_s}));
    const QString log = RunLog();
    EXPECT_TRUE(log.startsWith(Text(560).section(u"\\n"_s, 0, 0))) << log.toStdString();
    EXPECT_TRUE(log.contains(Text(648)));
    EXPECT_TRUE(log.contains(Text(706).section(u"%s"_s, 0, 0) + Desktop() + u"/MY_FILM.log"_s));
    EXPECT_FALSE(log.contains(u"=> Ejecting the disc"_s));
}

// An erase that is a burn's first step hands its sleep lock on: the
// burn's lock is taken before the erase's is let go.
TEST_F(UnattendedRunTest, SleepStaysHeldFromTheEraseThroughTheBurn)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    UseUsedDisc();
    const ProgramRun run = RunProgram({u"-o"_s, u"-d"_s, m_source});
    EXPECT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    QStringList locks = bus.InhibitLines();
    for (int i = 0; i < 100 && locks.count(u"Released"_s) < 2; ++i, locks = bus.InhibitLines())
        QThread::msleep(20);
    ASSERT_EQ(locks.size(), 4) << locks.join(u'\n').toStdString();
    EXPECT_TRUE(locks[1].startsWith(u"Inhibit "_s) && locks[1].contains(u"MY_FILM"_s))
        << locks[1].toStdString();
    EXPECT_EQ(locks.mid(2), (QStringList{u"Released"_s, u"Released"_s}));
}

} // namespace
