#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace {

// The window's handling of the first signal is checked in TerminationSignalTest;
// a second one, while the first is still being handled, ends the process.
TEST(TerminationSignals, ASecondSignalEndsTheProcessAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
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

} // namespace
