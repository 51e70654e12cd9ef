// -n: copies to a virtual writer whose changer holds the blank discs; what
// each copy is, and how a run that does not get every copy ends.
#include "ProgramRun.h"

#include <csignal>

namespace {

using namespace e2e;

const QByteArray ChangerDvdPlusRw = BlankDvdPlusRw + "changer = media/stack\n";

class CopiesRunTest : public UnattendedRunTest
{
protected:
    // blanks: empty files in the changer, each a blank disc waiting.
    void UseChanger(int blanks, const QByteArray &config = ChangerDvdPlusRw, int waitSecs = 60) const
    {
        UseRecorders(config);
        QDir().mkpath(m_copy.File(u"media/stack"_s));
        for (int i = 0; i < blanks; ++i)
            m_copy.WriteFile(u"media/stack/blank-%1.iso"_s.arg(i), {});
        m_copy.WriteFile(u"Orvane.ini"_s,
                         "BurnFlags: 440\nDiscChangeWait: " + QByteArray::number(waitSecs) + "\n");
    }
    QByteArray Ejected(int n) const
    {
        QFile file(m_copy.File(u"media/stack/ejected/disc-%1.iso"_s.arg(n)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    QString LastLine(const ProgramRun &run) const { return Lines(run.err).value(Lines(run.err).size() - 1); }
};

// At 1x each copy takes more than a second: the image's own dates must not
// follow the clock from one copy to the next.
TEST_F(CopiesRunTest, ThreeCopiesAreByteIdenticalAndVerified)
{
    UseChanger(2, QByteArray(ChangerDvdPlusRw).replace("4x 8x\npacing = full-speed", "1x\npacing = paced"));
    const ProgramRun run = RunProgram(Words("-n 3 -d SOURCE"));
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString() << run.out.toStdString();
    QFile last(Image());
    ASSERT_TRUE(last.open(QIODevice::ReadOnly));
    const QByteArray third = last.readAll();
    EXPECT_GT(third.size(), 100 * 2048);
    EXPECT_TRUE(Ejected(1) == third);
    EXPECT_TRUE(Ejected(2) == third);
    ExpectGoodImage(Image());
    EXPECT_TRUE(run.out.contains(u"Copy 3 of 3: burned and verified."_s)) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"3 of 3 copies burned and verified"_s));
}

// Copies of an image file: each disc holds the file as it is.
TEST_F(CopiesRunTest, CopiesOfAnImageFileAreTheFile)
{
    UseRecorders(BlankDvdPlusRw);
    ASSERT_EQ(RunProgram(Words("-d SOURCE")).exitCode, runexit::Success);
    QFile medium(Image());
    ASSERT_TRUE(medium.open(QIODevice::ReadOnly));
    const QByteArray image = medium.readAll().left(462 * 2048);
    medium.close();
    const QString file = m_home + u"/film.iso"_s;
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(image) == image.size());
    out.close();
    QFile::remove(Image());
    QFile::remove(Image() + u".state"_s);

    UseChanger(1);
    const ProgramRun run = RunProgram({u"-n"_s, u"2"_s, u"-i"_s, file});
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString() << run.out.toStdString();
    EXPECT_TRUE(Ejected(1).startsWith(image));
    QFile last(Image());
    ASSERT_TRUE(last.open(QIODevice::ReadOnly));
    EXPECT_TRUE(last.readAll().startsWith(image));
    EXPECT_TRUE(run.out.contains(u"2 of 2 copies burned and verified"_s)) << run.out.toStdString();
}

// Every disc fails verify: the first failure stops the run, -k tries the rest;
// no copy is counted that was not burned.
TEST_F(CopiesRunTest, AFailedCopyStopsTheRunUnlessToldToGoOn)
{
    const struct
    {
        const char *line;
        bool secondTried;
    } cases[] = {{"-n 2 -d SOURCE", false}, {"-n 2 -k -d SOURCE", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        UseChanger(1,
                   QByteArray(ChangerDvdPlusRw).replace("fault = none", "") + "fault = corrupt-sector 20\n");
        const ProgramRun run = RunProgram(Words(c.line));
        EXPECT_EQ(run.exitCode, 10) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(u"Copy 1 of 2: not burned."_s)) << run.out.toStdString();
        EXPECT_EQ(run.out.contains(u"Copy 2 of 2: not burned."_s), c.secondTried) << run.out.toStdString();
        EXPECT_TRUE(
            LastLine(run).startsWith(u"Exit status 10 (not every copy was burned): 0 of 2 copies burned"_s))
            << LastLine(run).toStdString();
    }
}

// Between the copies: no disc comes in time, or SIGTERM comes while the run
// waits; the copy already burned is reported and stays as it was.
TEST_F(CopiesRunTest, ARunStoppedBetweenCopiesReportsTheCopiesBurned)
{
    for (const bool signal : {false, true}) {
        SCOPED_TRACE(signal ? "SIGTERM" : "timeout");
        UseChanger(0, ChangerDvdPlusRw, signal ? 60 : 1);
        QProcess process;
        StartProgram(process, Words("-n 2 -d SOURCE"));
        QByteArray err;
        for (int i = 0; signal && i < 1200 && !err.contains("Waiting for blank disc 2 of 2"); ++i) {
            process.waitForReadyRead(50);
            err += process.readAllStandardError();
        }
        if (signal) {
            ASSERT_GT(process.processId(), 0) << err.toStdString();
            ASSERT_EQ(::kill(pid_t(process.processId()), SIGTERM), 0);
        }
        ProgramRun run = WaitForProgram(process);
        run.err.prepend(QString::fromUtf8(err));
        EXPECT_EQ(run.exitCode, 10) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(u"Waiting for blank disc 2 of 2 in the recorder (at most "_s));
        EXPECT_TRUE(LastLine(run).contains(u"1 of 2 copies burned; "_s)) << LastLine(run).toStdString();
        EXPECT_TRUE(signal || LastLine(run).contains(u"within 1 seconds"_s)) << LastLine(run).toStdString();
        ExpectGoodImage(m_copy.File(u"media/stack/ejected/disc-1.iso"_s));
        QDir(m_copy.File(u"media"_s)).removeRecursively();
    }
}

TEST_F(CopiesRunTest, CopiesToTheImageRecorderAreRefused)
{
    UseRecorders({});
    const ProgramRun run = RunProgram(Words("-n 2 -d SOURCE"));
    EXPECT_EQ(run.exitCode, runexit::ParseError) << run.err.toStdString();
    EXPECT_TRUE(LastLine(run).contains(u"Image Recorder"_s)) << LastLine(run).toStdString();
}

} // namespace
