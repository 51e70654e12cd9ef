// Runs that cannot burn: each ends with its own status and a last line on
// standard error naming the status and its cause. Everything that can be
// checked without the disc is checked before the erase, so a used disc
// under -o stays as it was.
#include "ProgramRun.h"

#include <algorithm>
#include <cctype>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace e2e;

struct FailureCase
{
    const char *name;
    runexit::Status status;
    const char *arguments; // SOURCE stands for the film folder
    bool usedDisc = false; // a used disc that must stay as it was
};

const FailureCase Failures[] = {
    {"no recording library", runexit::StartupFailed, "-d SOURCE"},
    {"stray token", runexit::ParseError, "stray -d SOURCE -l"},
    {"one character", runexit::ParseError, "x"},
    {"empty and non-UTF-8 arguments", runexit::ParseError, ""},
    {"no arguments", runexit::NothingToBurn, ""},
    {"log option alone", runexit::NothingToBurn, "-l"},
    {"prepare only", runexit::NothingToBurn, "-d SOURCE -c"},
    {"refused label", runexit::LabelRefused, "-o -d SOURCE -v BAD!NAME", true},
    {"recorder in use", runexit::RecorderUnavailable, "-d SOURCE"},
    {"used disc without -o", runexit::OverwriteDeclined, "-d SOURCE", true},
    {"disc too small", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"missing folder", runexit::CompilationFailed, "-o -d SOURCE-gone", true},
    {"folder is a file", runexit::CompilationFailed, "-o -d SOURCE/VIDEO_TS/VIDEO_TS.IFO", true},
    {"no VIDEO_TS.IFO", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"folder will not play", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"write fails", runexit::BurnFailed, "-d SOURCE"},
    {"image recorder", runexit::BurnAborted, "-d SOURCE"},
};

const QString MissingTitleSet =
    QStringLiteral("Title set 2 is named in VIDEO_TS.IFO, but VTS_02_0.IFO is missing");

class FailedRunTest : public UnattendedRunTest, public testing::WithParamInterface<FailureCase>
{
protected:
    // Sets the case up: what the reason line names, what standard error
    // says once, and the script the program runs in.
    void Arrange(const std::string &name)
    {
        if (name == "no recording library") {
            ASSERT_TRUE(QFile::remove(m_copy.File(QStringLiteral("NeroAPI.so"))));
        } else if (name == "stray token") {
            m_cause = QStringLiteral("\"stray\"");
            m_saidOnce = QStringLiteral("[CL parsing error!] ") + Text(602);
        } else if (name == "empty and non-UTF-8 arguments") {
            m_script = QStringLiteral("exec \"$0\" '' -v \"$(printf 'A\\377')\" \"$(printf '\\376')\"");
        } else if (name == "no arguments") {
            // Nobody is at the window it would need.
            m_saidOnce = Text(920) + QLatin1Char('\n');
        } else if (name == "prepare only") {
            m_cause = Text(987);
        } else if (name == "refused label") {
            m_cause = QStringLiteral("'!'");
        } else if (name == "recorder in use") {
            // Another program holds the virtual recorder, as its lock file says.
            QDir().mkpath(m_copy.File(QStringLiteral("media")));
            m_lock = ::open(QFile::encodeName(Image() + QStringLiteral(".lock")).constData(),
                            O_CREAT | O_RDWR, 0644);
            ASSERT_EQ(::flock(m_lock, LOCK_EX | LOCK_NB), 0);
        } else if (name == "used disc without -o") {
            // Nobody can answer the question; its default is No.
            m_cause = Text(988);
            m_saidOnce = QStringLiteral("[Overwrite ReWriteable?!]");
        } else if (name == "disc too small") {
            UseRecorders(UsedDvdPlusRw + "capacity = 100\n");
            // 100 sectors are 0 MB; the sample needs a few.
            m_cause = Text(910).section(QStringLiteral("%d"), 0, 0) + QStringLiteral("0");
        } else if (name == "no VIDEO_TS.IFO") {
            ASSERT_TRUE(QFile::remove(m_source + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO")));
        } else if (name == "folder will not play") {
            // The video manager names a second title set that is not there.
            for (const char *ifo : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
                QFile file(m_source + QStringLiteral("/VIDEO_TS/") + QLatin1String(ifo));
                ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(0x3F));
                ASSERT_EQ(file.write("\x02", 1), 1);
            }
            m_cause = MissingTitleSet;
            m_saidOnce = Text(992);
        } else if (name == "write fails") {
            UseRecorders(BlankDvdPlusRw + "fault = fail-at-sector 40\n");
        } else if (name == "image recorder") {
            // Nobody could say where the image goes.
            m_copy.WriteFile(QStringLiteral("Orvane.ini"), "Device: Image Recorder\n");
            m_saidOnce = QStringLiteral("[Image file]");
        }
    }

    void TearDown() override
    {
        if (m_lock >= 0)
            ::close(m_lock);
    }

    QString m_cause;
    QString m_saidOnce;
    QString m_script;
    int m_lock = -1;
};

TEST_P(FailedRunTest, EndsWithItsStatusAndReasonAndLeavesTheDiscAlone)
{
    const FailureCase &failure = GetParam();
    if (failure.usedDisc)
        UseUsedDisc();
    Arrange(failure.name);
    const QByteArray medium = MediumSnapshot();
    QStringList arguments =
        QString::fromLatin1(failure.arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    arguments.replaceInStrings(QStringLiteral("SOURCE"), m_source);

    const ProgramRun run = RunProgram(arguments, m_script);
    ASSERT_TRUE(run.finished) << "no crash, no hang";
    EXPECT_EQ(run.exitCode, failure.status) << run.err.toStdString();
    const QString last = Lines(run.err).value(Lines(run.err).size() - 1);
    const QString start = ReasonStart(failure.status);
    EXPECT_TRUE(last.startsWith(start)) << last.toStdString();
    EXPECT_FALSE(last.mid(start.size()).trimmed().isEmpty()) << "a reason";
    EXPECT_TRUE(last.contains(m_cause)) << last.toStdString();
    if (!m_saidOnce.isEmpty()) {
        EXPECT_EQ(run.err.count(m_saidOnce), 1) << run.err.toStdString();
    }
    EXPECT_TRUE(DesktopFiles().isEmpty()) << "no log file";
    if (failure.usedDisc) {
        EXPECT_EQ(MediumSnapshot(), medium) << "the used disc is as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStatus, FailedRunTest, testing::ValuesIn(Failures), [](const auto &testInfo) {
    std::string name = testInfo.param.name;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
});

// --check alone: the report on standard output, status 0 or 7, no recorder
// opened and no log file.
TEST_F(UnattendedRunTest, CheckCommandStatusAndReport)
{
    const QString damaged = testenv::makeTempDir(QStringLiteral("damaged")) + QStringLiteral("/film");
    const QString withMenus = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus");
    ASSERT_TRUE(testenv::copyFolder(withMenus, damaged));
    ASSERT_TRUE(QFile::remove(damaged + QStringLiteral("/VIDEO_TS/VTS_02_0.IFO")));
    const QString check = QStringLiteral("--check");
    const QString d = QStringLiteral("-d");
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString inOutput; // empty: nothing on standard output
    } cases[] = {
        {{check, d, m_source}, runexit::Success, Text(991)},
        {{d, withMenus, check}, runexit::Success, Text(991)},
        {{check, d, damaged}, runexit::CompilationFailed, MissingTitleSet},
        {{check, d, m_source + QStringLiteral("/VIDEO_TS")},
         runexit::CompilationFailed,
         QStringLiteral("VIDEO_TS is missing")},
        {{check}, runexit::ParseError, {}},
        {{check, d}, runexit::ParseError, {}},
        {{check, d, m_source, QStringLiteral("-x")}, runexit::ParseError, {}},
    };
    const QByteArray medium = MediumSnapshot();
    for (const auto &c : cases) {
        const ProgramRun run = RunProgram(c.arguments);
        const std::string label = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label << "\n" << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.inOutput.isEmpty()) << label << ": " << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(c.inOutput)) << label << ": " << run.out.toStdString();
    }
    EXPECT_EQ(MediumSnapshot(), medium) << "--check opens no recorder";
    EXPECT_TRUE(DesktopFiles().isEmpty());
}

} // namespace
