// Where the program keeps its settings, hive and media: the program folder
// when it can be written, else folders of the user's own, whatever HOME and
// the XDG variables say.
#include "TestEnvironment.h"

#include "platform/StateFolders.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace Qt::StringLiterals;

using Kind = StateFolderProblem::Kind;

class StateFoldersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(m_scratch + u"/home"_s);
        testenv::writeFile(m_program + u"/registry.ini"_s, "[SOFTWARE\\ahead\\Shared]\nNeroAPI=.\n");
        testenv::writeFile(m_program + u"/virtual-recorders.conf"_s, "[Virtual DVD Writer]\n");
        testenv::writeFile(m_scratch + u"/a-file"_s, "not a folder");
        for (const char *name : Variables)
            m_saved << qgetenv(name);
    }
    void TearDown() override
    {
        for (int i = 0; i < 3; ++i)
            qputenv(Variables[i], m_saved[i]);
    }
    // Sets HOME, XDG_CONFIG_HOME and XDG_DATA_HOME to the expanded values; null unsets one.
    void SetVariables(const std::array<const char *, 3> &values) const
    {
        for (int i = 0; i < 3; ++i)
            values[i] ? qputenv(Variables[i], Expand(values[i]).toLocal8Bit()) : qunsetenv(Variables[i]);
    }
    // {s} stands for a scratch folder, {h} for the home in it, {p} for the program folder.
    QString Expand(const char *text) const
    {
        return QString::fromUtf8(text)
            .replace(u"{h}"_s, m_scratch + u"/home"_s)
            .replace(u"{s}"_s, m_scratch)
            .replace(u"{p}"_s, m_program);
    }
    QString Expected(const char *text) const
    {
        return Expand(text) + (QByteArray(text) == "{p}" ? "" : "/orvane-burn");
    }

    static constexpr const char *Variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    QList<QByteArray> m_saved;
    const QString m_scratch = testenv::makeTempDir(u"state"_s);
    const QString m_program = m_scratch + u"/program"_s;
};

// The variables' odd values; the plain cases run the installed program in
// InstalledStateTest. Expected folders other than {p} end in /orvane-burn.
TEST_F(StateFoldersTest, ReadOnlyProgramFolderKeepsStateWithTheUser)
{
    const struct
    {
        const char *home, *configHome, *dataHome; // null: unset
        const char *config, *data;
        std::vector<Kind> problems;
    } cases[] = {
        {"{h}", "", "", "{h}/.config", "{h}/.local/share", {}}, // empty counts as unset
        {"{h}", "relative/cfg", nullptr, "{h}/.config", "{h}/.local/share", {Kind::IgnoredVariable}},
        {"{h}", nullptr, "{s}/a-file", "{h}/.config", "{h}/.local/share", {Kind::IgnoredVariable}},
        {nullptr, nullptr, nullptr, "{p}", "{p}", {Kind::NoHome}},
        {"{s}/no-home", "{s}/c", "{s}/d", "{s}/c", "{s}/d", {}},
        {"{s}/no-home", "{s}/a-file", "{s}/d", "{p}", "{s}/d", {Kind::IgnoredVariable, Kind::NoHome}},
        {"{h}", "{s}/a-file/below", nullptr, "{p}", "{h}/.local/share", {Kind::ConfigUnusable}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.home ? c.home : "-") << " " << (c.configHome ? c.configHome : "-") << " "
                     << (c.dataHome ? c.dataHome : "-"));
        SetVariables({c.home, c.configHome, c.dataHome});

        const StateFolders folders = PrepareStateFolders(m_program, FolderAccess::ReadOnly);

        EXPECT_EQ(folders.home, StateHome::PerUser);
        EXPECT_EQ(folders.config, Expected(c.config));
        EXPECT_EQ(folders.data, Expected(c.data));
        std::vector<Kind> kinds;
        for (const StateFolderProblem &problem : folders.problems) {
            kinds.push_back(problem.kind);
            const bool unusable = problem.kind == Kind::ConfigUnusable || problem.kind == Kind::DataUnusable;
            EXPECT_EQ(problem.reason.isEmpty(), !unusable)
                << "the system's reason comes with an unusable folder";
        }
        EXPECT_EQ(kinds, c.problems);
        if (folders.config != m_program) {
            EXPECT_EQ(testenv::readFile(folders.config + "/registry.ini"),
                      testenv::readFile(m_program + "/registry.ini"));
        }
        EXPECT_FALSE(QFileInfo::exists(m_scratch + u"/no-home"_s));
    }
}

TEST_F(StateFoldersTest, ALaterStartKeepsTheUsersFiles)
{
    SetVariables({"{h}", nullptr, nullptr});
    const StateFolders first = PrepareStateFolders(m_program, FolderAccess::ReadOnly);
    testenv::writeFile(first.config + u"/virtual-recorders.conf"_s, "[My Writer]\n");
    const StateFolders second = PrepareStateFolders(m_program, FolderAccess::ReadOnly);
    EXPECT_EQ(second.config, first.config);
    EXPECT_FALSE(second.createdNow);
    EXPECT_EQ(testenv::readFile(second.config + u"/virtual-recorders.conf"_s), "[My Writer]\n");
}

TEST_F(StateFoldersTest, ProbeTriesToCreateAFile)
{
    EXPECT_EQ(ProbeFolderAccess(m_program), FolderAccess::Writable);
    EXPECT_EQ(ProbeFolderAccess(m_scratch + u"/missing"_s), FolderAccess::ReadOnly);
    EXPECT_EQ(ProbeFolderAccess(m_scratch + u"/a-file"_s), FolderAccess::ReadOnly);
    EXPECT_EQ(QDir(m_program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2)
        << "the probe leaves nothing behind";
}

} // namespace
