#include "recorder/LibraryVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(LibraryVersion, OlderThan5_5_9_16IsDecidedByTheFirstDifferingComponent)
{
    const std::pair<std::optional<LibraryVersion>, bool> cases[] = {
        {LibraryVersion{5, 5, 9, 16}, false},
        {LibraryVersion{5, 5, 9, 15}, true},
        {LibraryVersion{5, 5, 10, 0}, false},
        {LibraryVersion{5, 4, 99, 99}, true},
        {std::nullopt, true}, // unknown counts as older
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(IsOlderThan5_5_9_16(cases[i].first), cases[i].second);
    }
}

} // namespace
