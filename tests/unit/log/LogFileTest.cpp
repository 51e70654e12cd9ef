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

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(LogFileText, FieldsInOrderAndThePaneTextWithoutCarriageReturns)
{
    const QString text = LogFileText(QStringLiteral("T=%sL=%s V=%s\n%s\nE=%s"), Time, QStringLiteral("DISC"),
                                     QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(text, QStringLiteral("T=") + Time + QStringLiteral("L=DISC V=1.2.0\na\nb\n\nE=") + Time);
}

TEST(LogFileText, PercentSignsInTheLogAndLabelAreCopiedUnchanged)
{
    const QString log = QStringLiteral("100% %s %d %n %% %999999d %");
    const QString text = LogFileText(QStringLiteral("%s|%s|%s|%s|%s"), Time, QStringLiteral("50%_OFF"), log);
    EXPECT_TRUE(text.contains(QStringLiteral("|50%_OFF|1.2.0|") + log + QLatin1Char('|')));
}

TEST(LogFileText, HostileOrShortTemplatesStayHarmless)
{
    EXPECT_EQ(LogFileText(QStringLiteral("%s"), Time, QStringLiteral("L"), QStringLiteral("log")), Time);
    EXPECT_EQ(LogFileText(QString(), Time, QStringLiteral("L"), QStringLiteral("log")), QString());
    const QString many =
        LogFileText(QStringLiteral("%s%s%s%s%s%s%s%s%n%p"), Time, QStringLiteral("L"), QStringLiteral("log"));
    EXPECT_TRUE(many.startsWith(Time + QStringLiteral("L1.2.0log") + Time));
}

TEST(LogFileKinds, TemplatesAndAutomaticPath)
{
    EXPECT_EQ(LogFileTemplateId(1), 560);
    EXPECT_EQ(LogFileTemplateId(2), 562);
    EXPECT_EQ(LogFileTemplateId(3), 564);
    EXPECT_EQ(LogFileTemplateId(0), 0);
    EXPECT_EQ(LogFileTemplateId(4), 0);
    EXPECT_EQ(AutomaticLogPath(QStringLiteral("/home/u/Desktop"), QStringLiteral("DISC")),
              QStringLiteral("/home/u/Desktop/DISC.log"));
    EXPECT_EQ(AutomaticLogPath(QString(), QStringLiteral("DISC")), QString());
}

TEST(WriteLogFileText, ReplacesAnExistingFile)
{
    const QString path = testenv::makeTempDir(QStringLiteral("logfile")) + QStringLiteral("/x.log");
    ASSERT_TRUE(WriteLogFileText(path, QStringLiteral("a much longer first text")));
    ASSERT_TRUE(WriteLogFileText(path, QStringLiteral("short\n")));
    EXPECT_EQ(ReadAll(path), QByteArray("short\n"));
}

TEST(WriteLogFileText, UnwritableTargetsAreSkipped)
{
    const QString folder = testenv::makeTempDir(QStringLiteral("logfile"));
    EXPECT_FALSE(WriteLogFileText(QString(), QStringLiteral("x")));
    EXPECT_FALSE(WriteLogFileText(folder + QStringLiteral("/missing/x.log"), QStringLiteral("x")));
    EXPECT_FALSE(QDir(folder + QStringLiteral("/missing")).exists());
    EXPECT_FALSE(WriteLogFileText(folder, QStringLiteral("x"))); // a folder, not a file
    EXPECT_FALSE(WriteLogFileText(QStringLiteral("/dev/full"), QStringLiteral("x")));
}

TEST(WriteLogFileText, ReadOnlyTargetIsSkipped)
{
    // A read-only kernel file refuses even root.
    EXPECT_FALSE(WriteLogFileText(QStringLiteral("/proc/version"), QStringLiteral("x")));
    if (::geteuid() == 0)
        return; // folder permissions do not bind root
    const QString folder = testenv::makeTempDir(QStringLiteral("readonly"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(WriteLogFileText(folder + QStringLiteral("/x.log"), QStringLiteral("x")));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/x.log")));
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
