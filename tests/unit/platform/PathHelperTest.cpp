#include "platform/CPathHelper.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using Part = QString (CPathHelper::*)(const QString &);
TEST(CPathHelper, SplitsAtSlashesAndDots)
{
    const Part Directory = &CPathHelper::GetDirectory, LastComponent = &CPathHelper::GetLastComponent,
               WithoutExtension = &CPathHelper::GetWithoutExtension, Extension = &CPathHelper::GetExtension;
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
        {WithoutExtension, "/home/my.files/VIDEO_TS", "/home/my"}, // a dot in a folder name counts
        {WithoutExtension, "/home/me/README", "/home/me/README"},
        {WithoutExtension, "archive.tar.gz", "archive.tar"},
        {Extension, "/home/me/VTS_01_1.VOB", "VOB"}, // letter case kept
        {Extension, "/home/me/README", ""},
        {Extension, "/home/my.files/VIDEO_TS", "files/VIDEO_TS"},
    };
    CPathHelper helper;
    for (const auto &c : cases) {
        const QString result = (helper.*c.part)(QString::fromUtf8(c.path));
        EXPECT_EQ(result, QString::fromUtf8(c.expected)) << c.path;
        EXPECT_EQ(helper.LastResult(), result);
    }
}

} // namespace
