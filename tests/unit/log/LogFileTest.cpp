#include "log/LogFile.h"
#include "log/LogLineText.h"
#include "log/LogTimeText.h"
#include "log/RegistryRead.h"
#include "platform/MemoryRegistryStore.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

const QString Time = u"Sat Dec 05 23:44:07 2026\n"_s;

// The template comes from a file anyone can edit; the log and the label are
// copied as they are, whatever percent signs they hold.
TEST(LogFileText, FillsTheFieldsInOrderAndStaysHarmless)
{
    const QString templ = u"T=%sL=%s V=%s\n%s\nE=%s"_s;
    EXPECT_EQ(LogFileText(templ, Time, u"DISC"_s, u"a\r\nb\r\n"_s),
              u"T="_s + Time + u"L=DISC V=1.2.0\na\nb\n\nE="_s + Time);
    const QString log = u"100% %s %d %n %% %999999d %"_s;
    EXPECT_TRUE(LogFileText(u"%s|%s|%s|%s|%s"_s, Time, u"50%_OFF"_s, log)
                    .contains(u"|50%_OFF|1.2.0|"_s + log + QLatin1Char('|')));
    EXPECT_EQ(LogFileText(u"%s"_s, Time, u"L"_s, u"log"_s), Time);
    EXPECT_TRUE(LogFileText(u"%s%s%s%s%s%s%s%s%n%p"_s, Time, u"L"_s, u"log"_s)
                    .startsWith(Time + u"L1.2.0log"_s + Time));
    EXPECT_EQ(AutomaticLogPath(u"/home/u/Desktop"_s, u"DISC"_s), u"/home/u/Desktop/DISC.log"_s);
    EXPECT_EQ(AutomaticLogPath(QString(), u"DISC"_s), QString());
}

// No name can start a line of its own or reach the terminal as a control.
TEST(LogLineText, ControlCharactersAreWrittenOut)
{
    const std::pair<QString, QString> cases[] = {
        {u"plain \\ text ü"_s, u"plain \\ text ü"_s},
        {u"a\nDVD-Video check: no problems found"_s, u"a\\nDVD-Video check: no problems found"_s},
        {u"a\r\nb\tc"_s, u"a\\r\\nb\\tc"_s},
        {u"\x1b[2Jx\x7f"_s, u"\\x1b[2Jx\\x7f"_s},
        {u"x\u2028y\u0085z"_s, u"x\\u2028y\\u0085z"_s},
    };
    for (const auto &[text, line] : cases)
        EXPECT_EQ(LogLineText(text), line) << text.toStdString();
}

TEST(WriteLogFileText, UnwritableTargetsAreSkipped)
{
    const QString folder = testenv::makeTempDir(u"logfile"_s);
    for (const QString &path : {QString(), folder + u"/missing/x.log"_s, u"/dev/full"_s})
        EXPECT_FALSE(WriteLogFileText(path, u"x"_s).isEmpty()) << path.toStdString();
    EXPECT_FALSE(QDir(folder + u"/missing"_s).exists());
    EXPECT_FALSE(QFileInfo(u"/dev/full"_s).isFile()) << "a device at the name stays";
}

// A file-size limit must make the write fail, not end the process, and must
// leave no half-written log behind. Run in a child so the limit stays there.
TEST(WriteLogFileText, FileSizeLimitLeavesNoPartialFileAndTheProgramGoesOn)
{
    const QString path = testenv::makeTempDir(u"limit"_s) + u"/big.log"_s;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = WriteLogFileText(path, QString(100000, QLatin1Char('x'))).isEmpty();
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST(LogTimeText, FixedWidthEnglishWithLeadingZerosWhateverTheLocale)
{
    EXPECT_EQ(LogTimeText(QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0))), "Thu Feb 29 00:00:00 2024\n");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = LogTimeText(QDateTime(QDate(2025, 6, 1), QTime(9, 5, 59)));
    QLocale::setDefault(before);
    EXPECT_EQ(text, QStringLiteral("Sun Jun 01 09:05:59 2025\n"));
}

TEST(ReadRegistryString, AValueThatDoesNotFitIsRefusedNotCut)
{
    const QString key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"_s;
    MemoryRegistryStore store;
    EXPECT_TRUE(DesktopFolder(store).isEmpty());
    const QString exact(259, QLatin1Char('a'));
    store.Set(key, u"Desktop"_s, exact);
    store.Set(key, u"Long"_s, exact + QLatin1Char('a'));
    store.Set(key, u"Wide"_s, QString(130, QChar(0x00E4))); // 260 bytes in UTF-8
    store.CreateKey(u"Software\\Empty"_s);
    const struct
    {
        QString key, name;
        int code;
    } cases[] = {
        {key, u"Desktop"_s, regresult::Success},
        {key, u"Long"_s, regresult::MoreData},
        {key, u"Wide"_s, regresult::MoreData},
        {key, u"Music"_s, regresult::NotFound},
        {u"Software\\Missing"_s, u"Desktop"_s, regresult::NotFound},
        {u"Software\\Empty"_s, u"Desktop"_s, regresult::NotFound},
    };
    for (const auto &c : cases) {
        QString value = u"stale"_s;
        EXPECT_EQ(ReadRegistryString(store, c.key, c.name, value, 260), c.code) << c.name.toStdString();
        EXPECT_EQ(value, c.code == regresult::Success ? exact : QString()) << c.name.toStdString();
    }
    EXPECT_EQ(DesktopFolder(store), exact);
}

} // namespace
