// The built program in a program folder its user cannot write, as installed.
// Tests run as root, who may write anywhere, so the program runs as "nobody"
// (runuser) on a root-owned copy; run as anyone else, the copy is made
// read-only instead.
#include "ProgramRun.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace e2e;

void SetWritable(const QString &root, bool writable)
{
    QProcess::execute(u"chmod"_s, {u"-R"_s, QLatin1String(writable ? "u+w" : "a-w"), root});
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
        m_program = m_world + u"/program"_s;
        ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_PROGRAM_DIR), m_program));
        // The folder as installed: no state of a run in the build tree.
        QDir(m_program + u"/media"_s).removeRecursively();
        QFile::remove(m_program + u"/Orvane.ini"_s);
        WriteFile(m_program + u"/virtual-recorders.conf"_s, BlankDvdPlusRw);
        if (!m_asRoot)
            SetWritable(m_program, false);
        m_programFiles = Listing();
        ASSERT_FALSE(m_programFiles.isEmpty());
        m_film = m_world + u"/films/my film"_s;
        ASSERT_TRUE(
            testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_film));
    }

    void TearDown() override
    {
        EXPECT_EQ(Listing(), m_programFiles) << "nothing is written into the program folder";
        if (!m_asRoot)
            SetWritable(m_world, true);
        std::error_code ignored;
        std::filesystem::remove_all(m_world.toStdString(), ignored);
    }

    static void WriteFile(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }

    QStringList Listing() const
    {
        QStringList entries = Lines(Output(u"find"_s, {m_program, u"-printf"_s, u"%p %s %T@\n"_s}));
        entries.sort();
        return entries;
    }

    // A folder the other user owns (its parents stay root's); a home has its Desktop.
    QString UserFolder(const QString &path) const
    {
        QDir().mkpath(path);
        if (m_asRoot) {
            EXPECT_EQ(QProcess::execute(u"chown"_s, {u"nobody:"_s, path}), 0);
        }
        return path;
    }

    // Runs the program (as the other user when root) without a display
    // through "env"; an XDG folder not given is unset.
    ProgramRun RunProgram(const QStringList &arguments, const QString &home, const QString &config = {},
                          const QString &data = {}) const
    {
        const QString runtime = UserFolder(m_world + u"/runtime"_s);
        ::chmod(QFile::encodeName(runtime).constData(), 0700);
        QStringList command = u"env -u XDG_CONFIG_HOME -u XDG_DATA_HOME"_s.split(u' ');
        command << u"XDG_RUNTIME_DIR="_s + runtime << u"HOME="_s + home;
        if (!config.isEmpty())
            command << u"XDG_CONFIG_HOME="_s + config << u"XDG_DATA_HOME="_s + data;
        command << m_program + u"/orvane-burn"_s << u"-d"_s << m_film << u"-l"_s << arguments;
        if (m_asRoot)
            command = QStringList{u"-u"_s, u"nobody"_s, u"--"_s} + command;
        QProcess process;
        process.setProcessEnvironment(WithoutDisplay());
        process.setWorkingDirectory(m_world);
        process.start(m_asRoot ? u"runuser"_s : command.takeFirst(), command);
        return WaitForProgram(process);
    }

    QString TextStart(const char *languageFile, int id) const
    {
        return LanguageText(m_program + u'/' + QLatin1String(languageFile), id).section(u"%s"_s, 0, 0);
    }

    QString m_world;
    QString m_program;
    QStringList m_programFiles;
    QString m_film;
    const bool m_asRoot = ::geteuid() == 0;
};

TEST_F(InstalledStateTest, EachUserKeepsSettingsAndMediaInTheirOwnFolders)
{
    // Alice's folders are named by the XDG variables; her settings choose German.
    const QString alice = UserFolder(m_world + u"/alice"_s);
    UserFolder(alice + u"/Desktop"_s);
    const QString aliceConfig = UserFolder(alice + u"/cfg/orvane-burn"_s);
    WriteFile(aliceConfig + u"/Orvane.ini"_s, "Language: deutsch.lng\n");
    UserFolder(aliceConfig + u"/Orvane.ini"_s);
    const ProgramRun aliceRun = RunProgram({u"-o"_s}, alice, alice + u"/cfg"_s, alice + u"/data"_s);
    ASSERT_EQ(aliceRun.exitCode, runexit::Success) << aliceRun.err.toStdString();
    const QString aliceImage = alice + u"/data/orvane-burn/media/test-dvd.iso"_s;
    ExpectGoodImage(aliceImage);
    EXPECT_TRUE(QFileInfo::exists(aliceConfig + u"/registry.ini"_s));
    EXPECT_EQ(ReadFile(aliceConfig + u"/virtual-recorders.conf"_s), QString::fromUtf8(BlankDvdPlusRw));
    EXPECT_TRUE(ReadFile(alice + u"/Desktop/MY_FILM.log"_s).contains(TextStart("deutsch.lng", 654)))
        << "her settings were read";

    // Bob has the default folders and a disc of his own: blank, so his run
    // needs no -o, where Alice's written disc would stop it (status 6).
    const QString bob = UserFolder(m_world + u"/bob"_s);
    UserFolder(bob + u"/Desktop"_s);
    const QDateTime aliceBurned = QFileInfo(aliceImage).lastModified();
    const ProgramRun bobRun = RunProgram({}, bob);
    ASSERT_EQ(bobRun.exitCode, runexit::Success) << bobRun.err.toStdString();
    ExpectGoodImage(bob + u"/.local/share/orvane-burn/media/test-dvd.iso"_s);
    const QString bobLog = ReadFile(bob + u"/Desktop/MY_FILM.log"_s);
    EXPECT_TRUE(bobLog.contains(TextStart("english.lng", 970))) << "first start says where";
    EXPECT_TRUE(bobLog.contains(bob + u"/.config/orvane-burn"_s));
    EXPECT_EQ(QFileInfo(aliceImage).lastModified(), aliceBurned);
    EXPECT_EQ(QFileInfo(bob + u"/.config/orvane-burn"_s).permissions() & 0x0077, 0);
}

TEST_F(InstalledStateTest, UnwritableConfigFolderStillBurnsAndSaysSettingsAreNotKept)
{
    const QString home = UserFolder(m_world + u"/dave"_s);
    UserFolder(home + u"/Desktop"_s);
    // ~/.config belongs to someone else (root), or is read-only.
    const QString config = home + u"/.config"_s;
    QDir().mkpath(config);
    if (!m_asRoot)
        QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    const ProgramRun run = RunProgram({}, home);
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    const QString log = ReadFile(home + u"/Desktop/MY_FILM.log"_s);
    EXPECT_TRUE(log.contains(TextStart("english.lng", 973))) << log.toStdString();
    EXPECT_TRUE(QDir(config).isEmpty());
    ExpectGoodImage(home + u"/.local/share/orvane-burn/media/test-dvd.iso"_s);
}

// It starts, but the recorder cannot be opened: its medium (and the lock
// beside it) would have nowhere to go.
TEST_F(InstalledStateTest, HomeThatDoesNotExistIsNeverMade)
{
    const QString missing = UserFolder(m_world + u"/gone"_s) + u"/home"_s;
    const ProgramRun run = RunProgram({}, missing);
    EXPECT_EQ(run.exitCode, runexit::RecorderUnavailable) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
