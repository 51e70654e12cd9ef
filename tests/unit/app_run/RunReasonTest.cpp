#include "app/RunReason.h"
#include "TextIds.h"

#include <gtest/gtest.h>

namespace {

// Texts as "<id>" plus, for the line, a format that shows its arguments.
QString Lookup(int id)
{
    if (id == textid::ExitReasonLine)
        return QStringLiteral("status %d [%s]: %s");
    return QStringLiteral("<%1>").arg(id);
}

struct ReasonCase
{
    runexit::Status status;
    const char *cause;
    const char *expected;
};

class ReasonTable : public testing::TestWithParam<ReasonCase>
{
};

// The status picks its meaning (975 + status); the cause becomes one line,
// and a run that knows no cause says so rather than ending in a colon.
TEST_P(ReasonTable, NamesTheStatusItsMeaningAndTheCause)
{
    const ReasonCase &reason = GetParam();
    EXPECT_EQ(runexit::ReasonLine(reason.status, QString::fromUtf8(reason.cause), Lookup).toStdString(),
              reason.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ReasonTable,
    testing::Values(ReasonCase{runexit::StartupFailed, "no library", "status 1 [<976>]: no library"},
                    ReasonCase{runexit::CompilationFailed,
                               "The disc holds 0 MB,\n\nbut the folder needs 9 MB.",
                               "status 7 [<982>]: The disc holds 0 MB, but the folder needs 9 MB."},
                    ReasonCase{runexit::BurnAborted, "  \n ", "status 9 [<984>]: <989>"},
                    ReasonCase{runexit::BurnFailed, "", "status 8 [<983>]: <989>"}));

TEST(DefaultCause, OnlyADeclinedOverwriteHasACauseOfItsOwn)
{
    for (int status = runexit::StartupFailed; status <= runexit::BurnAborted; ++status) {
        const QString cause = runexit::DefaultCause(static_cast<runexit::Status>(status), Lookup);
        EXPECT_EQ(cause, status == runexit::OverwriteDeclined ? QStringLiteral("<988>") : QString())
            << status;
    }
}

} // namespace
