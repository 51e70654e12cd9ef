// Runs at the edges of what a user's machine gives: a log file that cannot
// be written or sits behind a link, a power-off nobody grants, a display
// that does not answer, an output that cannot be written, names holding line
// breaks, too many arguments, a German window. Each keeps the status its run
// earned and says on standard error what went wrong beside it.
#include "ProgramRun.h"

namespace {

using namespace e2e;

struct EdgeCase
{
    const char *name; // also the test's name
    int status;
    const char *arguments;
};

const EdgeCase Edges[] = {
    {"log_file_name_is_a_link", runexit::Success, "-l -d SOURCE"},
    {"no_desktop_folder", runexit::Success, "-l -d SOURCE"},
    {"power_off_without_logind", runexit::Success, "-s -d SOURCE"},
    {"unreachable_X_display_run", runexit::Success, "-d SOURCE"},
    {"unreachable_Wayland_display_run", runexit::Success, "-d SOURCE"},
    {"unreachable_display_plain_start", runexit::NothingToBurn, ""},
    {"help_into_a_full_device", 1, "--help"},
    {"version_into_a_full_device", 1, "--version"},
    {"arguments_after_the_99th", runexit::Success, "-d SOURCE"},
    {"file_name_with_line_breaks", runexit::Success, "-l -d SOURCE"},
    {"German_phase_texts", runexit::Success, "-d SOURCE"},
    {"settings_file_too_large", runexit::Success, "-d SOURCE"},
    {"check_finds_an_error", runexit::CompilationFailed, "--check -d SOURCE"},
    {"check_with_a_stray_token", runexit::ParseError, "--check -d SOURCE -x"},
    {"quiet_check", runexit::CompilationFailed, "--check -q -d SOURCE"},
};

void PrintTo(const EdgeCase &edge, std::ostream *out)
{
    *out << edge.name;
}

class EdgeRunTest : public UnattendedRunTest, public testing::WithParamInterface<EdgeCase>
{
protected:
    void Arrange(const std::string &name)
    {
        if (name == "log_file_name_is_a_link") {
            // The link's target is someone else's file.
            m_other = m_home + u"/other.txt"_s;
            QFile other(m_other);
            ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("keep") == 4);
            ASSERT_TRUE(QFile::link(m_other, Desktop() + u"/MY_FILM.log"_s));
        } else if (name == "no_desktop_folder") {
            ASSERT_TRUE(QDir(Desktop()).removeRecursively());
            m_inErr = Text(1077).section(u"%s"_s, 0, 0) + Desktop() + u"/MY_FILM.log"_s;
        } else if (name == "power_off_without_logind") {
            // The test environment's system bus has nobody behind it.
            m_inErr = Text(1078).section(u"%s"_s, 0, 0);
        } else if (name == "unreachable_X_display_run") {
            m_env = {u"DISPLAY"_s, u":99"_s};
        } else if (name == "unreachable_Wayland_display_run") {
            m_env = {u"WAYLAND_DISPLAY"_s, u"wayland-9"_s};
        } else if (name == "unreachable_display_plain_start") {
            m_env = {u"DISPLAY"_s, u":99"_s};
            m_inErr = Text(1082).section(u"%s"_s, 0, 0) + u":99"_s;
        } else if (name == "help_into_a_full_device" || name == "version_into_a_full_device") {
            m_script = u"exec \"$0\" \"$@\" >/dev/full"_s;
        } else if (name == "arguments_after_the_99th") {
            // -d, its folder, 97 times -e: the -o after them is not read.
            m_extra = QStringList(97, u"-e"_s) + QStringList{u"-o"_s, u"-s"_s};
            m_inErr = FormatTwo(Text(1079), 99, 2);
        } else if (name == "file_name_with_line_breaks") {
            QFile fake(m_source + u"/a\nFAKE LINE\rB\tC"_s);
            ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
        } else if (name == "German_phase_texts") {
            m_copy.WriteFile(u"Orvane.ini"_s, "Language: deutsch.lng\n");
            m_inOut = u"=> "_s + LanguageText(QStringLiteral(ORVANE_TEST_PROGRAM_DIR "/deutsch.lng"), 1070);
        } else if (name == "settings_file_too_large") {
            m_copy.WriteFile(u"Orvane.ini"_s, "Device: Image Recorder\n" + QByteArray(2 << 20, '#'));
            m_inOut = Text(1080).section(u"%s"_s, 0, 0) + m_copy.File(u"Orvane.ini"_s);
        } else if (name == "check_finds_an_error" || name == "quiet_check") {
            ASSERT_TRUE(QFile::remove(m_source + u"/VIDEO_TS/VIDEO_TS.IFO"_s));
            m_inErr = u"Exit status 7 ("_s;
        } else if (name == "check_with_a_stray_token") {
            m_inErr = u"Exit status 2 ("_s + Text(977) + u"): "_s + Text(602).chopped(1) + u" (\"-x\")"_s;
        }
    }

    static QString FormatTwo(QString text, int first, int second)
    {
        const qsizetype at = text.indexOf(u"%d"_s);
        text.replace(at, 2, QString::number(first));
        return text.replace(text.indexOf(u"%d"_s), 2, QString::number(second));
    }

    ProgramRun Run(const EdgeCase &edge)
    {
        QProcess process;
        if (!m_env.first.isEmpty()) {
            // The display variable reaches the program through bash.
            m_script = u"export %1=%2; exec \"$0\" \"$@\""_s.arg(m_env.first, m_env.second);
        }
        StartProgram(process, Words(edge.arguments) + m_extra, m_script);
        return WaitForProgram(process);
    }

    QString m_other;
    QString m_inErr;
    QString m_inOut;
    QString m_script;
    QStringList m_extra;
    std::pair<QString, QString> m_env;
};

TEST_P(EdgeRunTest, KeepsItsStatusAndSaysWhatWentWrong)
{
    const EdgeCase &edge = GetParam();
    Arrange(edge.name);
    const ProgramRun run = Run(edge);
    const std::string name = edge.name;

    EXPECT_EQ(run.exitCode, edge.status) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(m_inErr)) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(m_inOut)) << run.out.toStdString();
    if (name == "log_file_name_is_a_link") {
        EXPECT_EQ(ReadFile(m_other), u"keep"_s);
        EXPECT_FALSE(QFileInfo(Desktop() + u"/MY_FILM.log"_s).isSymLink());
        EXPECT_TRUE(RunLog().contains(Text(991))) << "the log is in the file";
    } else if (name == "arguments_after_the_99th") {
        EXPECT_TRUE(run.out.contains(m_inErr)) << "also in the log";
    } else if (name == "file_name_with_line_breaks") {
        for (const QString &log : {run.out, RunLog()}) {
            EXPECT_FALSE(log.contains(u"\nFAKE LINE"_s)) << log.toStdString();
            EXPECT_TRUE(log.contains(u"a\\nFAKE LINE\\rB\\tC"_s)) << log.toStdString();
        }
    } else if (name == "German_phase_texts") {
        EXPECT_FALSE(run.out.contains(u"=> Writing the disc"_s));
    } else if (name == "quiet_check") {
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(Lines(run.err).size(), 1) << run.err.toStdString();
    }
    if (edge.status != runexit::Success && edge.status != 1) {
        const QString last = Lines(run.err).value(Lines(run.err).size() - 1);
        EXPECT_TRUE(last.startsWith(u"Exit status %1 ("_s.arg(edge.status))) << last.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgeRunTest, testing::ValuesIn(Edges),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
