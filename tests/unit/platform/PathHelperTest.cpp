#include "platform/CPathHelper.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using Part = QString (CPathHelper::*)(const QString &);
TEST(CPathHelper, SplitsAtSlashes)
{
    const Part Directory = &CPathHelper::GetDirectory, LastComponent = &CPathHelper::GetLastComponent;
    const struct
    {
        Part part;
        const char *path, *expected;
    } cases[] = {
        {Directory, "/media/MOVIE/VIDEO_TS", "/media/MOVIE"},
        {Directory, "MOVIE", ""},
        {LastComponent, "/media/MOVIE///", "MOVIE"},
        {LastComponent, "/media/MOVIE", "MOVIE"},
        {LastComponent, "/", ""}, // the root: nothing is left after trimming
        {LastComponent, "MOVIE", ""},
    };
    CPathHelper helper;
    for (const auto &c : cases) {
        const QString result = (helper.*c.part)(QString::fromUtf8(c.path));
        EXPECT_EQ(result, QString::fromUtf8(c.expected)) << c.path;
    }
}

} // namespace
