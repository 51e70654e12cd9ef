// The DVD-Video check from the command line: --check alone (report on
// standard output, exit 0 or 7, no recorder touched) and at the start of an
// unattended burn, where nobody can answer "Burn anyway?" and the run stops
// before the disc is touched.
#include "UnattendedRunFixture.h"

#include "app/RunExitStatus.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using namespace e2e;

struct CheckRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class DvdCheckRunTest : public UnattendedRunTest
{
protected:
    CheckRun RunCheck(const QStringList &arguments) const
    {
        QProcess process;
        StartProgram(process, arguments);
        CheckRun run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(2000);
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    // The source's video manager names a second title set that is not there.
    void NameAMissingTitleSet() const
    {
        for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
            QFile file(m_source + QStringLiteral("/VIDEO_TS/") + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.seek(0x3F));
            ASSERT_EQ(file.write("\x02", 1), 1);
        }
    }
};

TEST_F(DvdCheckRunTest, CheckCommandStatusAndReport)
{
    const QString damaged = testenv::makeTempDir(QStringLiteral("damaged")) + QStringLiteral("/film");
    ASSERT_TRUE(
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus"), damaged));
    ASSERT_TRUE(QFile::remove(damaged + QStringLiteral("/VIDEO_TS/VTS_02_0.IFO")));
    const QString withMenus = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus");
    struct Case
    {
        QStringList arguments;
        int exitCode;
        QString inOutput; // empty: nothing on standard output
    };
    const QString check = QStringLiteral("--check");
    const QString d = QStringLiteral("-d");
    const std::vector<Case> cases = {
        {{check, d, m_source}, runexit::Success, Text(991)},
        {{d, withMenus, check}, runexit::Success, Text(991)},
        {{check, d, damaged},
         runexit::CompilationFailed,
         QStringLiteral("Title set 2 is named in VIDEO_TS.IFO, but VTS_02_0.IFO is missing")},
        {{check, d, m_source + QStringLiteral("/VIDEO_TS")},
         runexit::CompilationFailed,
         QStringLiteral("VIDEO_TS is missing")},
        {{check}, runexit::ParseError, {}},
        {{check, d}, runexit::ParseError, {}},
        {{check, d, m_source, QStringLiteral("-x")}, runexit::ParseError, {}},
    };
    const QByteArray medium = MediumSnapshot();
    for (const Case &c : cases) {
        const CheckRun run = RunCheck(c.arguments);
        const std::string label = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label << "\n" << run.err.toStdString();
        if (c.inOutput.isEmpty())
            EXPECT_TRUE(run.out.isEmpty()) << label << ": " << run.out.toStdString();
        else
            EXPECT_TRUE(run.out.contains(c.inOutput)) << label << ": " << run.out.toStdString();
    }
    EXPECT_EQ(MediumSnapshot(), medium) << "--check opens no recorder";
    EXPECT_TRUE(QDir(Desktop()).entryList(QDir::Files).isEmpty());
}

TEST_F(DvdCheckRunTest, UnattendedBurnOfAFolderThatWillNotPlayStopsBeforeTheDisc)
{
    NameAMissingTitleSet();
    const QByteArray medium = MediumSnapshot();
    const ProgramRun run = RunProgram({QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::CompilationFailed) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(Text(992))) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(QStringLiteral(
        "Title set 2 is named in VIDEO_TS.IFO, but VTS_02_0.IFO is missing or cannot be read.")))
        << "the first error is the reason: " << run.standardError.toStdString();
    EXPECT_EQ(MediumSnapshot(), medium) << "nothing was burned";
}

TEST_F(DvdCheckRunTest, UsedDiscIsNotErasedForAFolderThatWillNotPlay)
{
    UseRecorders(UsedDvdPlusRw);
    NameAMissingTitleSet();
    const QByteArray medium = MediumSnapshot();
    const ProgramRun run = RunProgram({QStringLiteral("-o"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::CompilationFailed) << run.standardError.toStdString();
    EXPECT_EQ(MediumSnapshot(), medium) << "the check comes before the erase";
}

} // namespace
