#include "log/LogFile.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Time = QStringLiteral("Sat Dec 05 23:44:07 2026\n");

// The template comes from a file anyone can edit; the log and the label are
// copied as they are, whatever percent signs they hold.
TEST(LogFileText, FillsTheFieldsInOrderAndStaysHarmless)
{
    const QString templ = QStringLiteral("T=%sL=%s V=%s\n%s\nE=%s");
    EXPECT_EQ(LogFileText(templ, Time, QStringLiteral("DISC"), QStringLiteral("a\r\nb\r\n")),
              QStringLiteral("T=") + Time + QStringLiteral("L=DISC V=1.2.0\na\nb\n\nE=") + Time);
    const QString log = QStringLiteral("100% %s %d %n %% %999999d %");
    EXPECT_TRUE(LogFileText(QStringLiteral("%s|%s|%s|%s|%s"), Time, QStringLiteral("50%_OFF"), log)
                    .contains(QStringLiteral("|50%_OFF|1.2.0|") + log + QLatin1Char('|')));
    EXPECT_EQ(LogFileText(QStringLiteral("%s"), Time, QStringLiteral("L"), QStringLiteral("log")), Time);
    EXPECT_TRUE(
        LogFileText(QStringLiteral("%s%s%s%s%s%s%s%s%n%p"), Time, QStringLiteral("L"), QStringLiteral("log"))
            .startsWith(Time + QStringLiteral("L1.2.0log") + Time));
    EXPECT_EQ(LogFileTemplateId(3), 564);
    EXPECT_EQ(LogFileTemplateId(4), 0);
    EXPECT_EQ(AutomaticLogPath(QStringLiteral("/home/u/Desktop"), QStringLiteral("DISC")),
              QStringLiteral("/home/u/Desktop/DISC.log"));
    EXPECT_EQ(AutomaticLogPath(QString(), QStringLiteral("DISC")), QString());
}

TEST(WriteLogFileText, UnwritableTargetsAreSkipped)
{
    const QString folder = testenv::makeTempDir(QStringLiteral("logfile"));
    for (const QString &path : {QString(), folder + QStringLiteral("/missing/x.log"), folder,
                                QStringLiteral("/dev/full"), QStringLiteral("/proc/version")})
        EXPECT_FALSE(WriteLogFileText(path, QStringLiteral("x"))) << path.toStdString();
    EXPECT_FALSE(QDir(folder + QStringLiteral("/missing")).exists());
}

// A file-size limit must make the write fail, not end the process, and must
// leave no half-written log behind. Run in a child so the limit stays there.
TEST(WriteLogFileText, FileSizeLimitLeavesNoPartialFileAndTheProgramGoesOn)
{
    const QString path = testenv::makeTempDir(QStringLiteral("limit")) + QStringLiteral("/big.log");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = WriteLogFileText(path, QString(100000, QLatin1Char('x')));
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

} // namespace
