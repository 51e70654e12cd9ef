// The built program in a program folder its user cannot write, as a package
// installs it: each user's settings, hive and virtual media live in their own
// XDG folders, two users never see each other's disc, and a broken home or
// XDG variable ends in a clear log line, never in a write elsewhere.
//
// Tests run as root, who may write anywhere, so the program runs as "nobody"
// (runuser) on a root-owned copy; run as anyone else, the copy is made
// read-only instead.
#include "TestEnvironment.h"

#include "app/RunExitStatus.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int RunTimeoutMs = 90000;

const QByteArray InstalledRecorders =
    "[Virtual DVD Writer]\nmedium = DVD+RW blank\nfile = media/virtual-dvd.iso\n"
    "writes = DVD\nspeeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

using Environment = std::map<QString, std::optional<QString>>;

struct ProgramRun
{
    int exitCode = -1;
    QString standardError;
};

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
        m_asRoot = ::geteuid() == 0;
        if (m_asRoot) {
            const passwd *nobody = ::getpwnam("nobody");
            ASSERT_NE(nobody, nullptr);
            m_uid = nobody->pw_uid;
            m_gid = nobody->pw_gid;
        }

        m_program = m_world + QStringLiteral("/program");
        ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_PROGRAM_DIR), m_program));
        // The folder as installed: no state of a run in the build tree.
        QDir(m_program + QStringLiteral("/media")).removeRecursively();
        QFile::remove(m_program + QStringLiteral("/Orvane.ini"));
        WriteFile(m_program + QStringLiteral("/virtual-recorders.conf"), InstalledRecorders);
        if (!m_asRoot)
            SetTreeWritable(m_program, false);
        m_programFiles = ListTree(m_program);

        m_film = m_world + QStringLiteral("/films/my film");
        ASSERT_TRUE(
            testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_film));
    }

    void TearDown() override
    {
        if (!m_asRoot)
            SetTreeWritable(m_world, true);
        std::error_code ignored;
        std::filesystem::remove_all(m_world.toStdString(), ignored);
    }

    static void WriteFile(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }

    static QString ReadFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static void SetTreeWritable(const QString &root, bool writable)
    {
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        QStringList paths{root};
        while (it.hasNext())
            paths << it.next();
        for (const QString &path : paths) {
            QFile::Permissions permissions = QFileInfo(path).permissions();
            const auto write = QFile::WriteOwner | QFile::WriteUser;
            QFile::setPermissions(path, writable ? permissions | write : permissions & ~write);
        }
    }

    static QStringList ListTree(const QString &root)
    {
        QStringList entries;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << info.filePath() + QLatin1Char(' ') + QString::number(info.size()) + QLatin1Char(' ') +
                           QString::number(info.lastModified().toMSecsSinceEpoch());
        }
        entries.sort();
        return entries;
    }

    // Makes the file or folder the other user's (nothing to do when not root).
    void GiveToUser(const QString &path) const
    {
        if (m_asRoot) {
            EXPECT_EQ(::chown(QFile::encodeName(path).constData(), m_uid, m_gid), 0) << path.toStdString();
        }
    }

    // A folder the other user owns (its parents stay root's).
    QString UserFolder(const QString &path) const
    {
        QDir().mkpath(path);
        GiveToUser(path);
        return path;
    }

    // A home as a desktop user has it: the folder and its Desktop.
    QString MakeHome(const QString &name) const
    {
        const QString home = UserFolder(m_world + QLatin1Char('/') + name);
        UserFolder(home + QStringLiteral("/Desktop"));
        return home;
    }

    // Runs the program (as the other user when root) without a display:
    // "env" sets exactly the given variables (nullopt: unset).
    ProgramRun RunProgram(const QStringList &arguments, const Environment &variables) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        QStringList command;
        if (m_asRoot)
            command << QStringLiteral("runuser") << QStringLiteral("-u") << QStringLiteral("nobody")
                    << QStringLiteral("--");
        command << QStringLiteral("env");
        // env takes its options (-u, unset) before the assignments.
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
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_world);
        process.start(command.takeFirst(), command);
        const bool finished = process.waitForFinished(RunTimeoutMs);
        if (!finished) {
            process.kill();
            process.waitForFinished(2000);
        }
        ProgramRun run;
        run.exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.standardError = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    // A language text as the shipped file words it, up to its first placeholder.
    QString TextStart(const QString &languageFile, int id) const
    {
        const QString prefix = QString::number(id) + QStringLiteral(": ");
        for (const QString &line :
             ReadFile(m_program + QLatin1Char('/') + languageFile).split(QLatin1Char('\n'))) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).section(QStringLiteral("%s"), 0, 0).trimmed();
        }
        return QStringLiteral("text %1 is missing").arg(id);
    }

    void ExpectGoodImage(const QString &image) const
    {
        QProcess check;
        check.start(QStringLiteral(ORVANE_TEST_PROGRAM_DIR "/orvane-imagecheck"), {image});
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    }

    void ExpectProgramFolderUntouched() const
    {
        EXPECT_EQ(ListTree(m_program), m_programFiles) << "nothing is written into the program folder";
    }

    QStringList BurnArguments() const { return {QStringLiteral("-d"), m_film, QStringLiteral("-l")}; }

    QString m_world;
    QString m_program;
    QStringList m_programFiles;
    QString m_film;
    bool m_asRoot = false;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
};

TEST_F(InstalledStateTest, EachUserKeepsSettingsAndMediaInTheirOwnFolders)
{
    // Alice's folders are named by the XDG variables; her settings choose German.
    const QString alice = MakeHome(QStringLiteral("alice"));
    const QString aliceConfig = UserFolder(alice + QStringLiteral("/cfg/orvane-burn"));
    WriteFile(aliceConfig + QStringLiteral("/Orvane.ini"), "Language: deutsch.lng\n");
    GiveToUser(aliceConfig + QStringLiteral("/Orvane.ini"));
    const Environment aliceEnv{{QStringLiteral("HOME"), alice},
                               {QStringLiteral("XDG_CONFIG_HOME"), alice + QStringLiteral("/cfg")},
                               {QStringLiteral("XDG_DATA_HOME"), alice + QStringLiteral("/data")}};
    const ProgramRun aliceRun = RunProgram(BurnArguments() << QStringLiteral("-o"), aliceEnv);
    ASSERT_EQ(aliceRun.exitCode, runexit::Success) << aliceRun.standardError.toStdString();

    const QString aliceImage = alice + QStringLiteral("/data/orvane-burn/media/virtual-dvd.iso");
    ExpectGoodImage(aliceImage);
    EXPECT_TRUE(QFileInfo::exists(aliceConfig + QStringLiteral("/registry.ini")));
    EXPECT_EQ(ReadFile(aliceConfig + QStringLiteral("/virtual-recorders.conf")),
              QString::fromUtf8(InstalledRecorders));
    const QString aliceLog = ReadFile(alice + QStringLiteral("/Desktop/MY_FILM.log"));
    EXPECT_TRUE(aliceLog.contains(TextStart(QStringLiteral("deutsch.lng"), 654))) << "her settings were read";
    ExpectProgramFolderUntouched();

    // Bob has the default folders and a disc of his own: blank, so his run
    // needs no -o, where Alice's written disc would stop it (status 6).
    const QString bob = MakeHome(QStringLiteral("bob"));
    const QFileInfo aliceBefore(aliceImage);
    const ProgramRun bobRun = RunProgram(BurnArguments(), {{QStringLiteral("HOME"), bob},
                                                           {QStringLiteral("XDG_CONFIG_HOME"), std::nullopt},
                                                           {QStringLiteral("XDG_DATA_HOME"), std::nullopt}});
    ASSERT_EQ(bobRun.exitCode, runexit::Success) << bobRun.standardError.toStdString();
    ExpectGoodImage(bob + QStringLiteral("/.local/share/orvane-burn/media/virtual-dvd.iso"));
    const QString bobLog = ReadFile(bob + QStringLiteral("/Desktop/MY_FILM.log"));
    EXPECT_TRUE(bobLog.contains(TextStart(QStringLiteral("english.lng"), 970))) << "first start says where";
    EXPECT_TRUE(bobLog.contains(bob + QStringLiteral("/.config/orvane-burn")));
    EXPECT_EQ(QFileInfo(aliceImage).lastModified(), aliceBefore.lastModified());
    EXPECT_EQ(QFileInfo(bob + QStringLiteral("/.config/orvane-burn")).permissions() & 0x0077, 0);
    ExpectProgramFolderUntouched();
}

TEST_F(InstalledStateTest, UnwritableConfigFolderStillBurnsAndSaysSettingsAreNotKept)
{
    const QString home = MakeHome(QStringLiteral("dave"));
    // ~/.config belongs to someone else (root), or is read-only.
    const QString config = home + QStringLiteral("/.config");
    QDir().mkpath(config);
    if (!m_asRoot)
        QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    const ProgramRun run = RunProgram(BurnArguments(), {{QStringLiteral("HOME"), home},
                                                        {QStringLiteral("XDG_CONFIG_HOME"), std::nullopt},
                                                        {QStringLiteral("XDG_DATA_HOME"), std::nullopt}});
    ASSERT_EQ(run.exitCode, runexit::Success) << run.standardError.toStdString();
    const QString log = ReadFile(home + QStringLiteral("/Desktop/MY_FILM.log"));
    EXPECT_TRUE(log.contains(TextStart(QStringLiteral("english.lng"), 973))) << log.toStdString();
    EXPECT_TRUE(QDir(config).isEmpty());
    ExpectGoodImage(home + QStringLiteral("/.local/share/orvane-burn/media/virtual-dvd.iso"));
    ExpectProgramFolderUntouched();
}

TEST_F(InstalledStateTest, HomeThatDoesNotExistIsNeverMade)
{
    const QString missing = m_world + QStringLiteral("/gone/home");
    UserFolder(m_world + QStringLiteral("/gone"));
    const ProgramRun run = RunProgram(BurnArguments(), {{QStringLiteral("HOME"), missing},
                                                        {QStringLiteral("XDG_CONFIG_HOME"), std::nullopt},
                                                        {QStringLiteral("XDG_DATA_HOME"), std::nullopt}});
    // It starts, but the recorder cannot be opened: its medium (and the
    // lock beside it) would have nowhere to go.
    EXPECT_EQ(run.exitCode, runexit::RecorderUnavailable) << run.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
    ExpectProgramFolderUntouched();
}

} // namespace
