// Termination signals reach the event loop as a Qt signal; a second one ends
// the process; SIGXFSZ makes a write fail instead of ending the process.
#include "platform/TerminationSignals.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The first signal arrives on the event loop and the process lives on; a
// second one ends the process at once.
TEST(TerminationSignals, FirstArrivesOnTheEventLoopSecondEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(TerminationSignals::Name(signalNumber).toStdString());
        TerminationSignals relay;
        ASSERT_TRUE(relay.IsActive());
        QSignalSpy received(&relay, &TerminationSignals::received);
        ASSERT_EQ(::raise(signalNumber), 0);
        ASSERT_TRUE(received.wait(5000));
        EXPECT_EQ(received.count(), 1);
        EXPECT_EQ(received.at(0).at(0).toInt(), signalNumber);
    }
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                TerminationSignals relay;
                ::raise(signalNumber);
                ::raise(signalNumber);
                std::_Exit(0);
            },
            testing::KilledBySignal(signalNumber), "");
    }
}

// With the default action and a file-size limit of one block: whether a
// write past the limit fails with EFBIG (instead of ending the process).
[[noreturn]] void WritePastTheLimit(const std::string &path)
{
    ::signal(SIGXFSZ, SIG_DFL);
    IgnoreFileSizeSignal();
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    static char block[8192];
    const ssize_t written = ::write(fd, block, sizeof block);
    const ssize_t past = ::write(fd, block, sizeof block);
    std::_Exit(written == 4096 && past < 0 && errno == EFBIG ? 0 : 1);
}

TEST(FileSizeSignal, AWritePastTheLimitFailsInsteadOfEndingTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string path = (QDir::tempPath() + QStringLiteral("/fsize-test")).toStdString();
    EXPECT_EXIT(WritePastTheLimit(path), testing::ExitedWithCode(0), "");
}

} // namespace
