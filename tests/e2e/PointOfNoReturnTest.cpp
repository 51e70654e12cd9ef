// After the point of no return the sources are held to the stamps taken
// before it: a file rewritten in place during the burn, its size and
// modification time put back, fails the burn. (A signal before that point is
// tried in the stop table.)
#include "ProgramRun.h"

#include <sys/stat.h>

namespace {

using namespace e2e;

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
