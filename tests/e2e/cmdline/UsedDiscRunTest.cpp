// A used rewritable disc in an unattended run: it is erased only when the
// burn can follow, the overwrite question is asked once, the erase shows in
// the log, and a simulation leaves the disc as it was.
#include "UnattendedRunFixture.h"

#include "app/RunExitStatus.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

namespace {

using namespace e2e;

// The bytes a used disc holds before the run; a run that must not touch the
// disc leaves them exactly so.
const QByteArray OldContents(64 * 2048, '\xab');

class UsedDiscRunTest : public UnattendedRunTest
{
protected:
    void SetUp() override
    {
        UnattendedRunTest::SetUp();
        UseUsedDisc(UsedDvdPlusRw);
    }

    void UseUsedDisc(const QByteArray &config)
    {
        UseRecorders(config);
        QDir().mkpath(m_copy.File(QStringLiteral("media")));
        QFile medium(Image());
        ASSERT_TRUE(medium.open(QIODevice::WriteOnly | QIODevice::Truncate));
        medium.write(OldContents);
    }

    // The medium still holds what it held and its state still says written.
    void ExpectDiscUntouched() const
    {
        EXPECT_EQ(ReadBytes(Image()), OldContents) << "the old contents are still on the disc";
        const QByteArray state = ReadBytes(Image() + QStringLiteral(".state"));
        EXPECT_FALSE(state.contains("blank = yes")) << state.toStdString();
    }

    static QByteArray ReadBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString RunLog() const { return ReadFile(Desktop() + QStringLiteral("/MY_FILM.log")); }
};

struct UnburnableCase
{
    const char *name;
    int exitStatus;
};

void PrintTo(const UnburnableCase &unburnable, std::ostream *out)
{
    *out << unburnable.name;
}

class UnburnableRunTest : public UsedDiscRunTest, public testing::WithParamInterface<UnburnableCase>
{
};

// Everything that can be checked without the disc is checked before the
// erase: a run that cannot burn leaves the used disc as it was.
TEST_P(UnburnableRunTest, LeavesTheUsedDiscAsItWas)
{
    const std::string name = GetParam().name;
    QStringList arguments{QStringLiteral("-o")};
    if (name == "missing folder") {
        arguments << QStringLiteral("-d") << m_source + QStringLiteral("-gone");
    } else if (name == "refused label") {
        arguments << QStringLiteral("-d") << m_source << QStringLiteral("-v") << QStringLiteral("BAD!NAME");
    } else if (name == "no VIDEO_TS.IFO") {
        ASSERT_TRUE(QFile::remove(m_source + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO")));
        arguments << QStringLiteral("-d") << m_source;
    } else if (name == "disc too small") {
        UseUsedDisc(UsedDvdPlusRw + "capacity = 100\n");
        arguments << QStringLiteral("-d") << m_source;
    }
    const ProgramRun run = RunProgram(arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, GetParam().exitStatus) << run.standardError.toStdString();
    ExpectDiscUntouched();
}

INSTANTIATE_TEST_SUITE_P(EraseAfterChecks, UnburnableRunTest,
                         testing::Values(UnburnableCase{"missing folder", runexit::CompilationFailed},
                                         UnburnableCase{"refused label", runexit::LabelRefused},
                                         UnburnableCase{"no VIDEO_TS.IFO", runexit::CompilationFailed},
                                         UnburnableCase{"disc too small", runexit::CompilationFailed}),
                         [](const testing::TestParamInfo<UnburnableCase> &testInfo) {
                             std::string name = testInfo.param.name;
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST_F(UsedDiscRunTest, TooSmallDiscNamesBothSizes)
{
    UseUsedDisc(UsedDvdPlusRw + "capacity = 100\n");
    const ProgramRun run = RunProgram({QStringLiteral("-o"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    // 100 sectors are 0 MB; the sample needs a few.
    EXPECT_TRUE(
        run.standardError.contains(Text(910).section(QStringLiteral("%d"), 0, 0) + QStringLiteral("0")))
        << run.standardError.toStdString();
}

TEST_F(UsedDiscRunTest, OverwriteQuestionIsAskedOnce)
{
    const ProgramRun run = RunProgram({QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::OverwriteDeclined) << run.standardError.toStdString();
    EXPECT_EQ(run.standardError.count(QStringLiteral("[Overwrite ReWriteable?!]")), 1)
        << run.standardError.toStdString();
    ExpectDiscUntouched();
}

// The erase of -o is an erase like any other: its estimate and its progress
// show in the log before the burn.
TEST_F(UsedDiscRunTest, OverwriteOptionLogsTheEraseBeforeTheBurn)
{
    const ProgramRun run =
        RunProgram({QStringLiteral("-o"), QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    const QString log = RunLog();
    const qsizetype estimate = log.indexOf(Text(798).section(QStringLiteral("%d"), 0, 0));
    const qsizetype erasing = log.indexOf(Text(799));
    const qsizetype burnt = log.indexOf(Text(784));
    EXPECT_GE(estimate, 0) << log.toStdString();
    EXPECT_GT(erasing, estimate);
    EXPECT_GT(burnt, erasing);
    ExpectGoodImage();
}

// A simulation never changes the disc: no erase, no question, and its
// success says it was a simulation.
TEST_F(UsedDiscRunTest, SimulationLeavesAUsedDiscAsItWas)
{
    m_copy.WriteFile(QStringLiteral("Orvane.ini"), "BurnFlags: 0x42\n");
    const ProgramRun run =
        RunProgram({QStringLiteral("-o"), QStringLiteral("-l"), QStringLiteral("-d"), m_source});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    ExpectDiscUntouched();
    const QString log = RunLog();
    EXPECT_TRUE(log.contains(Text(911))) << log.toStdString();
    EXPECT_TRUE(log.contains(Text(912)));
    EXPECT_FALSE(log.contains(Text(784))) << "a simulation is not a burned disc";
    EXPECT_FALSE(log.contains(Text(799))) << "nothing was erased";
}

} // namespace
