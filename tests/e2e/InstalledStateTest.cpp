// The built program in a program folder its user cannot write, as a package
// installs it: each user's settings, hive and virtual media live in their own
// XDG folders, two users never see each other's disc, and a broken home ends
// in a clear log line, never in a write elsewhere.
//
// Tests run as root, who may write anywhere, so the program runs as "nobody"
// (runuser) on a root-owned copy; run as anyone else, the copy is made
// read-only instead.
#include "ProgramRun.h"

#include <QDirIterator>

#include <filesystem>
#include <map>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace e2e;

const QByteArray InstalledRecorders =
    "[Virtual DVD Writer]\nmedium = DVD+RW blank\nfile = media/virtual-dvd.iso\n"
    "writes = DVD\nspeeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

// The variables a run sets (nullopt: unset).
using Environment = std::map<QString, std::optional<QString>>;

Environment DefaultFolders(const QString &home)
{
    return {{QStringLiteral("HOME"), home},
            {QStringLiteral("XDG_CONFIG_HOME"), std::nullopt},
            {QStringLiteral("XDG_DATA_HOME"), std::nullopt}};
}

QStringList Tree(const QString &root)
{
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    return paths;
}

class InstalledStateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Outside the test's private (0700) root: the other user must reach it.
        std::string pattern = "/tmp/orvane-installed-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_world = QString::fromStdString(pattern);
        ::chmod(pattern.c_str(), 0755);
        if (::geteuid() == 0) {
            const passwd *nobody = ::getpwnam("nobody");
            ASSERT_NE(nobody, nullptr);
            m_user = {nobody->pw_uid, nobody->pw_gid};
        }
        m_program = m_world + QStringLiteral("/program");
        ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_PROGRAM_DIR), m_program));
        // The folder as installed: no state of a run in the build tree.
        QDir(m_program + QStringLiteral("/media")).removeRecursively();
        QFile::remove(m_program + QStringLiteral("/Orvane.ini"));
        WriteFile(m_program + QStringLiteral("/virtual-recorders.conf"), InstalledRecorders);
        if (!m_user)
            SetWritable(m_program, false);
        m_programFiles = Listing();
        m_film = m_world + QStringLiteral("/films/my film");
        ASSERT_TRUE(
            testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_film));
    }

    void TearDown() override
    {
        if (!m_user)
            SetWritable(m_world, true);
        std::error_code ignored;
        std::filesystem::remove_all(m_world.toStdString(), ignored);
    }

    static void WriteFile(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }

    static void SetWritable(const QString &root, bool writable)
    {
        for (const QString &path : Tree(root) << root) {
            const QFile::Permissions permissions = QFileInfo(path).permissions();
            const auto write = QFile::WriteOwner | QFile::WriteUser;
            QFile::setPermissions(path, writable ? permissions | write : permissions & ~write);
        }
    }

    // The program folder's files with their sizes and times.
    QStringList Listing() const
    {
        QStringList entries;
        for (const QString &path : Tree(m_program)) {
            const QFileInfo info(path);
            entries << path + QLatin1Char(' ') + QString::number(info.size()) + QLatin1Char(' ') +
                           QString::number(info.lastModified().toMSecsSinceEpoch());
        }
        entries.sort();
        return entries;
    }

    // A folder the other user owns (its parents stay root's).
    QString UserFolder(const QString &path) const
    {
        QDir().mkpath(path);
        if (m_user) {
            EXPECT_EQ(::chown(QFile::encodeName(path).constData(), m_user->first, m_user->second), 0);
        }
        return path;
    }

    // A home as a desktop user has it: the folder and its Desktop.
    QString MakeHome(const QString &name) const
    {
        const QString home = UserFolder(m_world + QLatin1Char('/') + name);
        UserFolder(home + QStringLiteral("/Desktop"));
        return home;
    }

    // Runs the program (as the other user when root) without a display,
    // through "env", which takes its unsets before the assignments.
    ProgramRun RunProgram(const QStringList &arguments, const Environment &variables) const
    {
        QStringList command;
        if (m_user)
            command << QStringLiteral("-u") << QStringLiteral("nobody") << QStringLiteral("--");
        command << QStringLiteral("env");
        for (const auto &[name, value] : variables) {
            if (!value)
                command << QStringLiteral("-u") << name;
        }
        const QString runtime = UserFolder(m_world + QStringLiteral("/runtime"));
        ::chmod(QFile::encodeName(runtime).constData(), 0700);
        command << QStringLiteral("XDG_RUNTIME_DIR=") + runtime;
        for (const auto &[name, value] : variables) {
            if (value)
                command << name + QLatin1Char('=') + *value;
        }
        command << m_program + QStringLiteral("/orvane-burn") << arguments;
        QProcess process;
        process.setProcessEnvironment(WithoutDisplay());
        process.setWorkingDirectory(m_world);
        process.start(m_user ? QStringLiteral("runuser") : command.takeFirst(), command);
        return WaitForProgram(process);
    }

    // A text as the shipped file words it, up to its first placeholder.
    QString TextStart(const QString &languageFile, int id) const
    {
        const QString prefix = QString::number(id) + QStringLiteral(": ");
        for (const QString &line : Lines(ReadFile(m_program + QLatin1Char('/') + languageFile))) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).section(QStringLiteral("%s"), 0, 0).trimmed();
        }
        return QStringLiteral("text %1 is missing").arg(id);
    }

    QStringList BurnArguments() const { return {QStringLiteral("-d"), m_film, QStringLiteral("-l")}; }

    QString m_world;
    QString m_program;
    QStringList m_programFiles;
    QString m_film;
    std::optional<std::pair<uid_t, gid_t>> m_user; // the other user, when root
};

TEST_F(InstalledStateTest, EachUserKeepsSettingsAndMediaInTheirOwnFolders)
{
    // Alice's folders are named by the XDG variables; her settings choose German.
    const QString alice = MakeHome(QStringLiteral("alice"));
    const QString aliceConfig = UserFolder(alice + QStringLiteral("/cfg/orvane-burn"));
    WriteFile(aliceConfig + QStringLiteral("/Orvane.ini"), "Language: deutsch.lng\n");
    UserFolder(aliceConfig + QStringLiteral("/Orvane.ini"));
    const ProgramRun aliceRun =
        RunProgram(BurnArguments() << QStringLiteral("-o"),
                   {{QStringLiteral("HOME"), alice},
                    {QStringLiteral("XDG_CONFIG_HOME"), alice + QStringLiteral("/cfg")},
                    {QStringLiteral("XDG_DATA_HOME"), alice + QStringLiteral("/data")}});
    ASSERT_EQ(aliceRun.exitCode, runexit::Success) << aliceRun.err.toStdString();
    const QString aliceImage = alice + QStringLiteral("/data/orvane-burn/media/virtual-dvd.iso");
    ExpectGoodImage(aliceImage);
    EXPECT_TRUE(QFileInfo::exists(aliceConfig + QStringLiteral("/registry.ini")));
    EXPECT_EQ(ReadFile(aliceConfig + QStringLiteral("/virtual-recorders.conf")),
              QString::fromUtf8(InstalledRecorders));
    EXPECT_TRUE(ReadFile(alice + QStringLiteral("/Desktop/MY_FILM.log"))
                    .contains(TextStart(QStringLiteral("deutsch.lng"), 654)))
        << "her settings were read";

    // Bob has the default folders and a disc of his own: blank, so his run
    // needs no -o, where Alice's written disc would stop it (status 6).
    const QString bob = MakeHome(QStringLiteral("bob"));
    const QDateTime aliceBurned = QFileInfo(aliceImage).lastModified();
    const ProgramRun bobRun = RunProgram(BurnArguments(), DefaultFolders(bob));
    ASSERT_EQ(bobRun.exitCode, runexit::Success) << bobRun.err.toStdString();
    ExpectGoodImage(bob + QStringLiteral("/.local/share/orvane-burn/media/virtual-dvd.iso"));
    const QString bobLog = ReadFile(bob + QStringLiteral("/Desktop/MY_FILM.log"));
    EXPECT_TRUE(bobLog.contains(TextStart(QStringLiteral("english.lng"), 970))) << "first start says where";
    EXPECT_TRUE(bobLog.contains(bob + QStringLiteral("/.config/orvane-burn")));
    EXPECT_EQ(QFileInfo(aliceImage).lastModified(), aliceBurned);
    EXPECT_EQ(QFileInfo(bob + QStringLiteral("/.config/orvane-burn")).permissions() & 0x0077, 0);
    EXPECT_EQ(Listing(), m_programFiles) << "nothing is written into the program folder";
}

TEST_F(InstalledStateTest, UnwritableConfigFolderStillBurnsAndSaysSettingsAreNotKept)
{
    const QString home = MakeHome(QStringLiteral("dave"));
    // ~/.config belongs to someone else (root), or is read-only.
    const QString config = home + QStringLiteral("/.config");
    QDir().mkpath(config);
    if (!m_user)
        QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    const ProgramRun run = RunProgram(BurnArguments(), DefaultFolders(home));
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    const QString log = ReadFile(home + QStringLiteral("/Desktop/MY_FILM.log"));
    EXPECT_TRUE(log.contains(TextStart(QStringLiteral("english.lng"), 973))) << log.toStdString();
    EXPECT_TRUE(QDir(config).isEmpty());
    ExpectGoodImage(home + QStringLiteral("/.local/share/orvane-burn/media/virtual-dvd.iso"));
    EXPECT_EQ(Listing(), m_programFiles);
}

// It starts, but the recorder cannot be opened: its medium (and the lock
// beside it) would have nowhere to go.
TEST_F(InstalledStateTest, HomeThatDoesNotExistIsNeverMade)
{
    const QString missing = UserFolder(m_world + QStringLiteral("/gone")) + QStringLiteral("/home");
    const ProgramRun run = RunProgram(BurnArguments(), DefaultFolders(missing));
    EXPECT_EQ(run.exitCode, runexit::RecorderUnavailable) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(Listing(), m_programFiles);
}

} // namespace
