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
    {"stray token and missing folder", runexit::ParseError, "stray -l -d"},
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

const QString MissingTitleSet = u"Title set 2 is named in VIDEO_TS.IFO, but VTS_02_0.IFO is missing"_s;

class FailedRunTest : public UnattendedRunTest, public testing::WithParamInterface<FailureCase>
{
protected:
    // Sets the case up: what the reason line names, what standard error
    // says once, and the script the program runs in.
    void Arrange(const std::string &name)
    {
        if (name == "no recording library") {
            ASSERT_TRUE(QFile::remove(m_copy.File(u"NeroAPI.so"_s)));
        } else if (name == "stray token and missing folder") {
            // Every error in the reason (without its full stop); the box,
            // echoed, names the last.
            m_cause = u"(\"stray\"); "_s + Text(598).chopped(1);
            m_saidOnce = u"[CL parsing error!] "_s + Text(598);
        } else if (name == "empty and non-UTF-8 arguments") {
            m_script = u"exec \"$0\" '' -v \"$(printf 'A\\377')\" \"$(printf '\\376')\""_s;
        } else if (name == "no arguments") {
            // Nobody is at the window it would need.
            m_saidOnce = Text(920) + u'\n';
        } else if (name == "prepare only") {
            m_cause = Text(987);
        } else if (name == "refused label") {
            m_cause = u"'!'"_s;
        } else if (name == "recorder in use") {
            // Another program holds the virtual recorder, as its lock file says.
            QDir().mkpath(m_copy.File(u"media"_s));
            m_lock = ::open(QFile::encodeName(Image() + u".lock"_s).constData(), O_CREAT | O_RDWR, 0644);
            ASSERT_EQ(::flock(m_lock, LOCK_EX | LOCK_NB), 0);
        } else if (name == "used disc without -o") {
            // Nobody can answer the question; its default is No.
            m_cause = Text(988);
            m_saidOnce = u"[Overwrite ReWriteable?!]"_s;
        } else if (name == "disc too small") {
            UseRecorders(UsedDvdPlusRw + "capacity = 100\n");
            // 100 sectors are 0 MB; the sample needs a few.
            m_cause = Text(910).section(u"%d"_s, 0, 0) + u"0"_s;
        } else if (name == "no VIDEO_TS.IFO") {
            ASSERT_TRUE(QFile::remove(m_source + u"/VIDEO_TS/VIDEO_TS.IFO"_s));
        } else if (name == "folder will not play") {
            // The video manager names a second title set that is not there.
            for (const char *ifo : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
                QFile file(m_source + u"/VIDEO_TS/"_s + QLatin1String(ifo));
                ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(0x3F));
                ASSERT_EQ(file.write("\x02", 1), 1);
            }
            m_cause = MissingTitleSet;
            m_saidOnce = Text(992);
        } else if (name == "write fails") {
            UseRecorders(BlankDvdPlusRw + "fault = fail-at-sector 40\n");
        } else if (name == "image recorder") {
            // Nobody could say where the image goes.
            m_copy.WriteFile(u"Orvane.ini"_s, "Device: Image Recorder\n");
            m_saidOnce = u"[Image file]"_s;
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
    QStringList arguments = QString::fromLatin1(failure.arguments).split(u' ', Qt::SkipEmptyParts);
    arguments.replaceInStrings(u"SOURCE"_s, m_source);

    const ProgramRun run = RunProgram(arguments, m_script);

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
    const QString damaged = testenv::makeTempDir(u"damaged"_s) + u"/film"_s;
    const QString withMenus = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus");
    ASSERT_TRUE(testenv::copyFolder(withMenus, damaged));
    ASSERT_TRUE(QFile::remove(damaged + u"/VIDEO_TS/VTS_02_0.IFO"_s));
    const QString check = u"--check"_s;
    const QString d = u"-d"_s;
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString inOutput; // empty: nothing on standard output
    } cases[] = {
        {{check, d, m_source}, runexit::Success, Text(991)},
        {{d, withMenus, check}, runexit::Success, Text(991)},
        {{check, d, damaged}, runexit::CompilationFailed, MissingTitleSet},
        {{check, d, m_source + u"/VIDEO_TS"_s}, runexit::CompilationFailed, u"VIDEO_TS is missing"_s},
        {{check}, runexit::ParseError, {}},
        {{check, d}, runexit::ParseError, {}},
        {{check, d, m_source, u"-x"_s}, runexit::ParseError, {}},
    };
    const QByteArray medium = MediumSnapshot();
    for (const auto &c : cases) {
        const ProgramRun run = RunProgram(c.arguments);
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label << "\n" << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.inOutput.isEmpty()) << label << ": " << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(c.inOutput)) << label << ": " << run.out.toStdString();
    }
    EXPECT_EQ(MediumSnapshot(), medium) << "--check opens no recorder";
    EXPECT_TRUE(DesktopFiles().isEmpty());
}

} // namespace
