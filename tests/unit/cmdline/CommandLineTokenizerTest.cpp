#include "cmdline/CommandLineTokenizer.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using cmdline::SplitCommandLine;

struct SplitCase
{
    const char *line;
    QStringList expected;
};

class SplitTable : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitTable, SplitsAsTheUnattendedRunReadsIt)
{
    EXPECT_EQ(SplitCommandLine(QString::fromUtf8(GetParam().line)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, SplitTable,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"x", {"x"}},
                                           SplitCase{"-d film -v LABEL", {"-d", "film", "-v", "LABEL"}},
                                           SplitCase{"\t-d\tfilm\t", {"-d", "film"}},
                                           // Two blanks inside quotes fold into one; three leave two.
                                           SplitCase{"-d \"my  film\"", {"-d", "my film"}},
                                           SplitCase{"-d \"a   b\"", {"-d", "a  b"}},
                                           // Blanks alone between quotes, or nothing, give no token.
                                           SplitCase{"\"\" -c", {"-c"}}, SplitCase{"\"   \" -c", {"-c"}},
                                           // Leading blanks of a quoted part are not part of the token.
                                           SplitCase{"\" film\"", {"film"}},
                                           // No blank is needed after a closing quote.
                                           SplitCase{"\"a\"b", {"a", "b"}},
                                           // Characters gathered right before an opening quote are dropped.
                                           SplitCase{"ab\"cd\"", {"cd"}},
                                           // An unclosed quote gives no token.
                                           SplitCase{"-c \"never closed", {"-c"}},
                                           SplitCase{"-d \u00e9t\u00e9 -v \u00dcBER",
                                                     {"-d", "\u00e9t\u00e9", "-v", "\u00dcBER"}}));

TEST(SplitCommandLine, KeepsAtMost99TokensAndDropsTheRestSilently)
{
    QStringList words;
    for (int i = 0; i < 5000; ++i)
        words << QString::number(i);
    const QStringList tokens = SplitCommandLine(words.join(' '));
    ASSERT_EQ(tokens.size(), 99);
    EXPECT_EQ(tokens.first(), "0");
    EXPECT_EQ(tokens.last(), "98");
}
