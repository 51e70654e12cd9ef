#include "platform/CPathHelper.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

enum class Op { Directory, LastComponent, WithoutExtension, Extension };

struct Case
{
    Op op;
    const char *path;
    const char *expected;
};

QString Apply(CPathHelper &helper, Op op, const QString &path)
{
    switch (op) {
    case Op::Directory:
        return helper.GetDirectory(path);
    case Op::LastComponent:
        return helper.GetLastComponent(path);
    case Op::WithoutExtension:
        return helper.GetWithoutExtension(path);
    case Op::Extension:
        return helper.GetExtension(path);
    }
    return {};
}

TEST(CPathHelper, SplitsAtSlashesAndDots)
{
    const std::vector<Case> cases = {
        {Op::Directory, "/media/MOVIE/VIDEO_TS", "/media/MOVIE"},
        {Op::Directory, "/MOVIE", ""}, // a folder in the root: the root without its slash
        {Op::Directory, "MOVIE", ""},
        {Op::Directory, "/media/MOVIE/", "/media/MOVIE"},
        {Op::LastComponent, "/media/MOVIE/", "MOVIE"},
        {Op::LastComponent, "/media/MOVIE///", "MOVIE"},
        {Op::LastComponent, "/media/MOVIE", "MOVIE"},
        {Op::LastComponent, "/", ""}, // the root: nothing is left after trimming
        {Op::LastComponent, "MOVIE", ""},
        {Op::LastComponent, "", ""},
        {Op::WithoutExtension, "/home/me/english.lng", "/home/me/english"},
        {Op::WithoutExtension, "/home/my.files/VIDEO_TS", "/home/my"}, // a dot in a folder name counts
        {Op::WithoutExtension, "/home/me/README", "/home/me/README"},
        {Op::WithoutExtension, "archive.tar.gz", "archive.tar"},
        {Op::Extension, "/home/me/VTS_01_1.VOB", "VOB"}, // letter case kept
        {Op::Extension, "/home/me/README", ""},
        {Op::Extension, "name.", ""},
        {Op::Extension, "/home/my.files/VIDEO_TS", "files/VIDEO_TS"},
    };
    CPathHelper helper;
    for (const Case &c : cases) {
        const QString result = Apply(helper, c.op, QString::fromUtf8(c.path));
        EXPECT_EQ(result, QString::fromUtf8(c.expected)) << c.path;
        EXPECT_EQ(helper.LastResult(), result);
    }
}

} // namespace
