// Runs that cannot burn: each ends with its own status and a last line on
// standard error naming the status and its cause. Everything that can be
// checked without the disc is checked before the erase, and the overwrite
// question comes last, so a used disc stays as it was and is never said to
// be erased without the log saying that nothing was.
#include "ProgramRun.h"

#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using namespace e2e;

struct FailureCase
{
    const char *name; // also the test's name
    runexit::Status status;
    const char *arguments;
    bool usedDisc = false; // a used disc that must stay as it was
};

const FailureCase Failures[] = {
    {"no_recording_library", runexit::StartupFailed, "-d SOURCE"},
    {"stray_token_and_missing_folder", runexit::ParseError, "stray -l -d"},
    {"one_character", runexit::ParseError, "x"},
    {"empty_and_non_UTF_8_arguments", runexit::ParseError, ""},
    {"no_arguments", runexit::NothingToBurn, ""},
    {"log_option_alone", runexit::NothingToBurn, "-l"},
    {"prepare_only", runexit::NothingToBurn, "-d SOURCE -c"},
    {"refused_label", runexit::LabelRefused, "-o -d SOURCE -v BAD!NAME", true},
    {"recorder_in_use", runexit::RecorderUnavailable, "-d SOURCE"},
    {"used_disc_without_o", runexit::OverwriteDeclined, "-d SOURCE", true},
    {"disc_too_small", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"missing_folder", runexit::CompilationFailed, "-o -d SOURCE-gone", true},
    {"folder_is_a_file", runexit::CompilationFailed, "-o -d SOURCE/VIDEO_TS/VIDEO_TS.IFO", true},
    {"folder_name_not_UTF_8", runexit::CompilationFailed, "SOURCE", true},
    {"no_VIDEO_TS_IFO", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"not_a_film_on_a_used_disc_without_o", runexit::CompilationFailed, "-d SOURCE/AUDIO_TS", true},
    {"folder_will_not_play", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"source_is_a_FIFO", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"VOB_links_to_dev_zero", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"dangling_link", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"no_room_for_the_image", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"damaged_state", runexit::OverwriteDeclined, "-d SOURCE", true},
    {"state_is_a_folder", runexit::CompilationFailed, "-o -d SOURCE", true},
    {"recorder_configuration_typo", runexit::BurnFailed, "-d SOURCE"},
    {"VIDEO_TS_given_will_not_play", runexit::CompilationFailed, "-o -d SOURCE/VIDEO_TS", true},
    {"layer_break_inside_a_scene", runexit::CompilationFailed, "-d SOURCE"},
    {"write_fails", runexit::BurnFailed, "-d SOURCE"},
    {"erase_fails", runexit::BurnFailed, "-o -d SOURCE", true},
    {"file_size_limit", runexit::BurnFailed, "-d SOURCE"},
    {"image_recorder", runexit::BurnAborted, "-d SOURCE"},
};

// Names the case in the test list, which the test runner reads.
void PrintTo(const FailureCase &failure, std::ostream *out)
{
    *out << failure.name;
}

class FailedRunTest : public UnattendedRunTest, public testing::WithParamInterface<FailureCase>
{
protected:
    // Sets the case up: what the reason line names, what standard error
    // says once, and the script the program runs in.
    void Arrange(const std::string &name)
    {
        if (name == "no_recording_library") {
            ASSERT_TRUE(QFile::remove(m_copy.File(u"NeroAPI.so"_s)));
        } else if (name == "stray_token_and_missing_folder") {
            // The reason lists every error; the box, echoed, names the last.
            m_cause = u"(\"stray\"); "_s + Text(598).chopped(1);
            m_saidOnce = u"[CL parsing error!] "_s + Text(598);
        } else if (name == "empty_and_non_UTF_8_arguments") {
            m_script = u"exec \"$0\" '' -v \"$(printf 'A\\377')\" \"$(printf '\\376')\""_s;
        } else if (name == "no_arguments") {
            // Nobody is at the window it would need.
            m_saidOnce = Text(920) + u'\n';
        } else if (name == "prepare_only") {
            m_cause = Text(987);
        } else if (name == "refused_label") {
            m_cause = u"'!'"_s;
        } else if (name == "recorder_in_use") {
            // Another program holds the virtual recorder, as its lock file says.
            QDir().mkpath(m_copy.File(u"media"_s));
            m_lock.setFileName(Image() + u".lock"_s);
            ASSERT_TRUE(m_lock.open(QIODevice::ReadWrite));
            ASSERT_EQ(::flock(m_lock.handle(), LOCK_EX | LOCK_NB), 0);
        } else if (name == "used_disc_without_o") {
            // Nobody can answer the question; its default is No.
            m_cause = Text(988);
            m_saidOnce = u"[Overwrite ReWriteable?!]"_s;
        } else if (name == "disc_too_small") {
            UseRecorders(UsedDvdPlusRw + "capacity = 100\n");
            // 100 sectors are 0 MB; the sample's few hundred sectors, rounded
            // up, need 1 MB.
            m_cause = Text(910).section(u"%d"_s, 0, 0) + u"0"_s + Text(910).section(u"%d"_s, 1, 1) + u"1"_s;
        } else if (name == "missing_folder") {
            m_cause = Text(1040).replace(u"%s"_s, m_source + u"-gone"_s);
        } else if (name == "folder_is_a_file") {
            m_cause = Text(1041).replace(u"%s"_s, m_source + u"/VIDEO_TS/VIDEO_TS.IFO"_s);
        } else if (name == "folder_name_not_UTF_8") {
            // It exists, but its name cannot reach the program as text.
            m_script = u"d=\"$(printf '%s\\377' \"$1\")\"; mkdir \"$d\" && exec \"$0\" -o -d \"$d\""_s;
            m_cause = Text(943).chopped(1);
        } else if (name == "no_VIDEO_TS_IFO") {
            ASSERT_TRUE(QFile::remove(m_source + u"/VIDEO_TS/VIDEO_TS.IFO"_s));
        } else if (name == "not_a_film_on_a_used_disc_without_o") {
            // A folder one level off: its own problem is the reason, and
            // nobody is asked about a disc it could not be burned to.
            QDir().mkpath(m_source + u"/AUDIO_TS"_s);
            m_cause = Text(616);
            m_neverSaid = u"[Overwrite ReWriteable?!]"_s;
        } else if (name == "folder_will_not_play" || name == "VIDEO_TS_given_will_not_play") {
            // The video manager names a second title set that is not there.
            for (const char *ifo : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
                QFile file(m_source + u"/VIDEO_TS/"_s + QLatin1String(ifo));
                ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(0x3F));
                ASSERT_EQ(file.write("\x02", 1), 1);
            }
            m_cause = u"Title set 2 is named in VIDEO_TS.IFO, but VTS_02_0.IFO is missing"_s;
            m_saidOnce = Text(992);
        } else if (name == "source_is_a_FIFO") {
            // Opened without waiting, refused before the erase.
            ASSERT_EQ(::mkfifo(qPrintable(m_source + u"/pipe"_s), 0644), 0);
            m_cause = u"Required file \""_s + m_source + u"/pipe\" is a FIFO"_s;
        } else if (name == "VOB_links_to_dev_zero") {
            ASSERT_TRUE(QFile::link(u"/dev/zero"_s, m_source + u"/VIDEO_TS/VTS_01_2.VOB"_s));
            m_cause = u"/VIDEO_TS/VTS_01_2.VOB\" is a device"_s;
        } else if (name == "dangling_link") {
            ASSERT_TRUE(QFile::link(m_source + u"/gone"_s, m_source + u"/link"_s));
            m_cause = u"/link\" cannot be read: No such file or directory"_s;
        } else if (name == "no_room_for_the_image") {
            // The medium's folder is a file system of 1 MiB; the image needs 3.
            const QString media = m_copy.File(u"media"_s);
            if (::mount("tmpfs", media.toUtf8().constData(), "tmpfs", 0, "size=1m") != 0)
                GTEST_SKIP() << "cannot mount a tmpfs here";
            m_mount.at = media;
            UseUsedDisc();
            AddFiller(3 * 1024 * 1024);
            m_cause = u"Not enough free space in "_s + media;
        } else if (name == "damaged_state" || name == "state_is_a_folder") {
            // The configuration's disc is blank, but the medium holds data.
            UseRecorders(BlankDvdPlusRw);
            if (name == "damaged_state")
                m_copy.WriteFile(
                    u"media/test-dvd.iso.state"_s,
                    "configured = DVD+RW\nmedium = DVD+RW\nused-sectors = 99999999999999999999\n");
            else
                ASSERT_TRUE(QDir().mkpath(Image() + u".state"_s));
            m_logged = u"counts as used, its contents unknown"_s;
            m_cause = name == "damaged_state" ? Text(988) : Image() + u".state is not a file"_s;
        } else if (name == "recorder_configuration_typo") {
            UseRecorders(QByteArray(BlankDvdPlusRw).replace("blank", "blnk") + "erase-time-scale = 1e300\n");
            // Said at start-up; the recorder's own problem ends the run.
            m_logged = u"virtual-recorders.conf: line 7: erase-time-scale \"1e300\""_s;
            m_cause = u"does not say which disc is in Test DVD Writer: "_s +
                      m_copy.File(u"virtual-recorders.conf"_s) + u": line 2: medium \"DVD+RW blnk\""_s;
        } else if (name == "erase_fails") {
            UseUsedDisc(UsedDvdPlusRw + "fault = state-write-fails\n");
            m_cause = u"The erase failed: cannot write "_s + Image() + u".state.new"_s;
        } else if (name == "layer_break_inside_a_scene") {
            // A small dual-layer disc whose middle falls inside the one cell,
            // stretched over a sparse VOB; nobody answers the question.
            UseRecorders(QByteArray(BlankDvdPlusRw).replace("DVD+RW", "DVD+R DL") + "capacity = 4000\n");
            StretchTheOneCell(3000);
            m_cause = u"a player will pause mid-scene"_s;
        } else if (name == "write_fails") {
            UseRecorders(BlankDvdPlusRw + "fault = fail-at-sector 40\n");
        } else if (name == "file_size_limit") {
            // As after a shell's "ulimit -f": the write fails, no SIGXFSZ ends it.
            AddFiller(8 * 1024 * 1024);
            m_script = u"trap - XFSZ; ulimit -f 2048; exec \"$0\" \"$@\""_s;
            m_cause = u"File too large"_s;
        } else if (name == "image_recorder") {
            // Nobody could say where the image goes.
            m_copy.WriteFile(u"Orvane.ini"_s, "Device: Image Recorder\n");
            m_saidOnce = u"[Image file]"_s;
        }
    }

    QString m_cause;
    QString m_saidOnce;
    QString m_logged; // in the log, which goes to standard output
    QString m_neverSaid;
    QString m_script;
    QFile m_lock; // closing it ends the lock
    struct Mount
    {
        QString at;
        ~Mount()
        {
            if (!at.isEmpty())
                ::umount2(at.toUtf8().constData(), MNT_DETACH);
        }
    } m_mount; // gone before the program folder's copy
};

TEST_P(FailedRunTest, EndsWithItsStatusAndReasonAndLeavesTheDiscAlone)
{
    const FailureCase &failure = GetParam();
    if (failure.usedDisc)
        UseUsedDisc();
    Arrange(failure.name);
    if (IsSkipped())
        return;
    const QByteArray medium = MediumSnapshot();
    const ProgramRun run = RunProgram(Words(failure.arguments), m_script);

    EXPECT_EQ(run.exitCode, failure.status) << run.err.toStdString();
    const QString last = Lines(run.err).value(Lines(run.err).size() - 1);
    const QString start = u"Exit status %1 (%2): "_s.arg(failure.status).arg(Text(975 + failure.status));
    EXPECT_TRUE(last.startsWith(start)) << last.toStdString();
    EXPECT_FALSE(last.mid(start.size()).trimmed().isEmpty()) << "a reason";
    EXPECT_TRUE(last.contains(m_cause)) << last.toStdString();
    EXPECT_TRUE(m_saidOnce.isEmpty() || run.err.count(m_saidOnce) == 1) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(m_logged)) << run.out.toStdString();
    EXPECT_TRUE(m_neverSaid.isEmpty() || !run.err.contains(m_neverSaid)) << run.err.toStdString();
    // Announced to be erased, then stopped before the erase began: the log says nothing was.
    const bool eraseBegan = run.out.contains(Text(799));
    EXPECT_TRUE(!run.out.contains(Text(779)) || eraseBegan || run.out.contains(Text(1046)))
        << "said to be erased, but not";
    EXPECT_TRUE(DesktopFiles().isEmpty()) << "no log file";
    EXPECT_TRUE(!failure.usedDisc || MediumSnapshot() == medium) << "the used disc is as it was";
}

INSTANTIATE_TEST_SUITE_P(EveryStatus, FailedRunTest, testing::ValuesIn(Failures),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// --check, --help and --version are answered on standard output without a
// window: no recorder is opened and no log file written.
TEST_F(UnattendedRunTest, CheckHelpAndVersionAnswerWithoutTheRecorder)
{
    const struct
    {
        const char *arguments;
        int exitCode;
        QString inOutput; // empty: nothing on standard output
    } cases[] = {
        {"--check -d SOURCE", runexit::Success, Text(991)},
        {"-d SOURCE --check", runexit::Success, Text(991)},
        {"--check -d SOURCE/VIDEO_TS", runexit::Success, Text(991)}, // the loose files are checked
        // The layer-break candidates, counted from VIDEO_TS.IFO.
        {"--check -d " ORVANE_TEST_SOURCE_DIR "/samples/dvd-chapters", runexit::Success,
         u"Title 2, chapter 4, cell 5 at 0:00:05: sector 149, seamless\n"_s},
        {"--check", runexit::ParseError, {}},
        {"--check -d", runexit::ParseError, {}},
        {"-d SOURCE --help", runexit::Success, u"Usage: orvane-burn"_s},
        {"--version", runexit::Success, u"orvane-burn (Orvane Burn) "_s},
    };
    const QByteArray medium = MediumSnapshot();
    for (const auto &c : cases) {
        const ProgramRun run = RunProgram(Words(c.arguments));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.inOutput.isEmpty()) << c.arguments << ": " << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(c.inOutput)) << c.arguments << ": " << run.out.toStdString();
    }
    EXPECT_EQ(MediumSnapshot(), medium) << "no recorder was opened";
    EXPECT_TRUE(DesktopFiles().isEmpty());
}

} // namespace
