#include "recorder/LibraryVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(LibraryVersion, OlderThan5_5_9_16IsDecidedByTheFirstDifferingComponent)
{
    struct Case
    {
        LibraryVersion version;
        bool older;
    };
    const Case cases[] = {
        {{5, 5, 9, 16}, false}, {{5, 5, 9, 15}, true},  {{5, 5, 8, 99}, true},
        {{4, 9, 9, 99}, true},  {{5, 5, 9, 17}, false}, {{5, 5, 10, 0}, false},
        {{5, 6, 0, 0}, false},  {{6, 0, 0, 0}, false},  {{5, 4, 99, 99}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.version.major << '.' << c.version.minor << '.' << c.version.third
                                        << '.' << c.version.fourth);
        EXPECT_EQ(IsOlderThan5_5_9_16(c.version), c.older);
    }
}

TEST(LibraryVersion, UnknownVersionCountsAsOlder)
{
    EXPECT_TRUE(IsOlderThan5_5_9_16(std::nullopt));
}

} // namespace
