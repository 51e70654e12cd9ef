#include "app/RunExitStatus.h"
#include "jobs/burn/BurnReport.h"

#include <reclib_api.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using runexit::RecorderOpened;

struct ExitCase
{
    int result;
    RecorderOpened opened;
    runexit::Status status;
};

class ExitStatusTest : public testing::TestWithParam<ExitCase>
{
};

TEST_P(ExitStatusTest, BurnResultMapsToTheDocumentedStatus)
{
    EXPECT_EQ(runexit::ForBurnResult(GetParam().result, GetParam().opened), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Results, ExitStatusTest,
    testing::Values(ExitCase{BURN_OK, RecorderOpened::Yes, runexit::Success},
                    ExitCase{jobs::RunBurnNoSource, RecorderOpened::Yes, runexit::NothingToBurn},
                    ExitCase{jobs::RunBurnRefusedLabel, RecorderOpened::Yes, runexit::LabelRefused},
                    // -1 after the run itself could not open the recorder
                    ExitCase{jobs::RunBurnNoRecorder, RecorderOpened::No, runexit::RecorderUnavailable},
                    // -1 although the recorder opened: the overwrite was declined
                    ExitCase{jobs::RunBurnNoRecorder, RecorderOpened::Yes, runexit::OverwriteDeclined},
                    ExitCase{jobs::RunBurnCompilationFailed, RecorderOpened::Yes, runexit::CompilationFailed},
                    ExitCase{jobs::RunBurnStillNotBlank, RecorderOpened::Yes, runexit::BurnFailed},
                    ExitCase{BURN_UNKNOWN_CD_FORMAT, RecorderOpened::Yes, runexit::BurnFailed},
                    ExitCase{BURN_FAILED, RecorderOpened::Yes, runexit::BurnFailed},
                    ExitCase{BURN_DRIVE_NOT_ALLOWED, RecorderOpened::Yes, runexit::BurnFailed},
                    ExitCase{BURN_USER_ABORT, RecorderOpened::Yes, runexit::BurnAborted},
                    ExitCase{17, RecorderOpened::Yes, runexit::BurnFailed}),
    [](const testing::TestParamInfo<ExitCase> &testInfo) {
        const int result = testInfo.param.result;
        return (result < 0 ? "Minus" + std::to_string(-result) : std::to_string(result)) +
               (testInfo.param.opened == RecorderOpened::Yes ? "_Opened" : "_NotOpened");
    });

TEST(ExitStatusCodes, EveryFailureHasItsOwnNonZeroCode)
{
    const std::vector<int> codes{
        runexit::StartupFailed,     runexit::ParseError,          runexit::NothingToBurn,
        runexit::LabelRefused,      runexit::RecorderUnavailable, runexit::OverwriteDeclined,
        runexit::CompilationFailed, runexit::BurnFailed,          runexit::BurnAborted};
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_NE(codes[i], runexit::Success);
        EXPECT_LT(codes[i], 126) << "shells reserve 126 and up";
        for (size_t j = i + 1; j < codes.size(); ++j)
            EXPECT_NE(codes[i], codes[j]);
    }
}

} // namespace
