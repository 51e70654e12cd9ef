// Where the program keeps its settings, hive and media: the program folder
// when it can be written, else folders of the user's own, whatever HOME and
// the XDG variables say.
#include "TestEnvironment.h"

#include "platform/RegistryStore.h"
#include "platform/StateFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

namespace {

using Kind = StateFolderProblem::Kind;

// Sets (or, with nullopt, unsets) one variable for a test and puts the old value back.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const char *name, const std::optional<QString> &value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~EnvironmentOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvironmentOverride(const EnvironmentOverride &) = delete;
    EnvironmentOverride &operator=(const EnvironmentOverride &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had;
};

void WriteText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Paths in a case are written with these stand-ins, replaced per test:
// {home} the test's home folder, {scratch} a folder beside it.
struct FolderCase
{
    const char *name;
    std::optional<const char *> home, configHome, dataHome;
    // expected: {program} stands for the program folder
    const char *config, *data;
    std::vector<Kind> problems;
};

void PrintTo(const FolderCase &c, std::ostream *os)
{
    *os << c.name;
}

class StateFoldersTable : public testing::TestWithParam<FolderCase>
{
protected:
    void SetUp() override
    {
        m_scratch = testenv::makeTempDir(QStringLiteral("state"));
        m_program = m_scratch + QStringLiteral("/program");
        QDir().mkpath(m_program);
        WriteText(m_program + QStringLiteral("/registry.ini"), "[SOFTWARE\\ahead\\Shared]\nNeroAPI=.\n");
        WriteText(m_program + QStringLiteral("/virtual-recorders.conf"), "[Virtual DVD Writer]\n");
        QDir().mkpath(m_scratch + QStringLiteral("/home"));
        WriteText(m_scratch + QStringLiteral("/a-file"), "not a folder");
    }

    QString Expand(const char *text) const
    {
        return QString::fromUtf8(text)
            .replace(QStringLiteral("{home}"), m_scratch + QStringLiteral("/home"))
            .replace(QStringLiteral("{scratch}"), m_scratch)
            .replace(QStringLiteral("{program}"), m_program);
    }

    std::optional<QString> Expand(const std::optional<const char *> &text) const
    {
        return text ? std::optional<QString>(Expand(*text)) : std::nullopt;
    }

    QString m_scratch;
    QString m_program;
};

TEST_P(StateFoldersTable, ReadOnlyProgramFolderKeepsStateWithTheUser)
{
    const FolderCase &c = GetParam();
    const EnvironmentOverride home("HOME", Expand(c.home));
    const EnvironmentOverride config("XDG_CONFIG_HOME", Expand(c.configHome));
    const EnvironmentOverride data("XDG_DATA_HOME", Expand(c.dataHome));

    const StateFolders folders = PrepareStateFolders(m_program, FolderAccess::ReadOnly);

    EXPECT_EQ(folders.home, StateHome::PerUser);
    EXPECT_EQ(folders.config, Expand(c.config));
    EXPECT_EQ(folders.data, Expand(c.data));
    std::vector<Kind> kinds;
    for (const StateFolderProblem &problem : folders.problems) {
        kinds.push_back(problem.kind);
        const bool unusable = problem.kind == Kind::ConfigUnusable || problem.kind == Kind::DataUnusable;
        EXPECT_EQ(problem.reason.isEmpty(), !unusable) << "the system's reason comes with an unusable folder";
    }
    EXPECT_EQ(kinds, c.problems);
    if (folders.config != m_program) {
        EXPECT_TRUE(folders.createdNow);
        EXPECT_EQ(QFileInfo(folders.config).permissions() & 0x0077, 0) << "the folder is private";
        // The installed defaults every user starts from.
        EXPECT_EQ(ReadText(folders.config + QStringLiteral("/registry.ini")),
                  ReadText(m_program + QStringLiteral("/registry.ini")));
        EXPECT_EQ(ReadText(folders.config + QStringLiteral("/virtual-recorders.conf")),
                  ReadText(m_program + QStringLiteral("/virtual-recorders.conf")));
    }
    EXPECT_TRUE(folders.data == m_program || QFileInfo(folders.data).isDir());
    // A home that does not exist is never made.
    EXPECT_FALSE(QFileInfo::exists(m_scratch + QStringLiteral("/no-home")));
}

const FolderCase Cases[] = {
    {"defaults below home",
     "{home}",
     std::nullopt,
     std::nullopt,
     "{home}/.config/orvane-burn",
     "{home}/.local/share/orvane-burn",
     {}},
    {"empty variables count as unset",
     "{home}",
     "",
     "",
     "{home}/.config/orvane-burn",
     "{home}/.local/share/orvane-burn",
     {}},
    {"variables name folders still to make",
     "{home}",
     "{scratch}/cfg/x",
     "{scratch}/dat",
     "{scratch}/cfg/x/orvane-burn",
     "{scratch}/dat/orvane-burn",
     {}},
    {"relative variable is ignored",
     "{home}",
     "relative/cfg",
     std::nullopt,
     "{home}/.config/orvane-burn",
     "{home}/.local/share/orvane-burn",
     {Kind::IgnoredVariable}},
    {"variable naming a file is ignored",
     "{home}",
     std::nullopt,
     "{scratch}/a-file",
     "{home}/.config/orvane-burn",
     "{home}/.local/share/orvane-burn",
     {Kind::IgnoredVariable}},
    {"home that does not exist",
     "{scratch}/no-home",
     std::nullopt,
     std::nullopt,
     "{program}",
     "{program}",
     {Kind::NoHome}},
    {"no home at all", std::nullopt, std::nullopt, std::nullopt, "{program}", "{program}", {Kind::NoHome}},
    {"home missing but variables set",
     "{scratch}/no-home",
     "{scratch}/c",
     "{scratch}/d",
     "{scratch}/c/orvane-burn",
     "{scratch}/d/orvane-burn",
     {}},
    {"home missing and variable a file",
     "{scratch}/no-home",
     "{scratch}/a-file",
     "{scratch}/d",
     "{program}",
     "{scratch}/d/orvane-burn",
     {Kind::IgnoredVariable, Kind::NoHome}},
    {"folder cannot be made below a file",
     "{home}",
     "{scratch}/a-file/below",
     std::nullopt,
     "{program}",
     "{home}/.local/share/orvane-burn",
     {Kind::ConfigUnusable}},
};

INSTANTIATE_TEST_SUITE_P(Environments, StateFoldersTable, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<FolderCase> &testInfo) {
                             return std::to_string(testInfo.index);
                         });

class StateFoldersTest : public StateFoldersTable
{
};

TEST_F(StateFoldersTest, WritableProgramFolderKeepsEverything)
{
    const EnvironmentOverride home("HOME", m_scratch + QStringLiteral("/home"));
    const StateFolders folders = PrepareStateFolders(m_program, FolderAccess::Writable);
    EXPECT_EQ(folders.home, StateHome::ProgramFolder);
    EXPECT_EQ(folders.config, m_program);
    EXPECT_EQ(folders.data, m_program);
    EXPECT_TRUE(folders.problems.empty());
    EXPECT_FALSE(QFileInfo::exists(m_scratch + QStringLiteral("/home/.config")));
}

TEST_F(StateFoldersTest, LaterStartKeepsTheUsersOwnFiles)
{
    const EnvironmentOverride home("HOME", m_scratch + QStringLiteral("/home"));
    const EnvironmentOverride config("XDG_CONFIG_HOME", std::nullopt);
    const StateFolders first = PrepareStateFolders(m_program, FolderAccess::ReadOnly);
    WriteText(first.config + QStringLiteral("/virtual-recorders.conf"), "[My Writer]\n");

    const StateFolders second = PrepareStateFolders(m_program, FolderAccess::ReadOnly);
    EXPECT_EQ(second.config, first.config);
    EXPECT_FALSE(second.createdNow);
    EXPECT_EQ(ReadText(second.config + QStringLiteral("/virtual-recorders.conf")), "[My Writer]\n");
}

TEST_F(StateFoldersTest, ProbeTriesToCreateAFile)
{
    EXPECT_EQ(ProbeFolderAccess(m_program), FolderAccess::Writable);
    EXPECT_EQ(ProbeFolderAccess(m_scratch + QStringLiteral("/missing")), FolderAccess::ReadOnly);
    EXPECT_EQ(ProbeFolderAccess(m_scratch + QStringLiteral("/a-file")), FolderAccess::ReadOnly);
    EXPECT_EQ(QDir(m_program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2)
        << "the probe leaves nothing behind";
}

} // namespace
