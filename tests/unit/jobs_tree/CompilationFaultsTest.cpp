// Builds that must fail: what is logged, what the status line says, and that
// no tree survives.
#include "TreeFixture.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>

namespace {

using CompilationFaultsTest = CompilationTest;

TEST_F(CompilationFaultsTest, MissingManagerFilesSourceOrTooLongAPath)
{
    const QString longPath = "Extras/" + QString(200, QChar('f')) + "/" + QString(60, QChar('n')) + ".txt";
    const struct
    {
        QStringList files;
        QString subfolder;
        QString lastLog;
    } cases[] = {
        {{"VIDEO_TS/VIDEO_TS.BUP"}, "", "<616>"},
        {{"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VIDEO_TS.VOB", "VIDEO_TS/VTS_01_0.IFO", "AUDIO_TS/x"},
         "",
         "<618>"},
        {{}, "/does-not-exist", "<616>"},
        {{"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VIDEO_TS.BUP", longPath},
         "",
         "<1006> \"{source}/" + longPath + "\""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lastLog.toStdString());
        source = testenv::makeTempDir("source");
        fixture::MakeFiles(source, c.files);
        source += c.subfolder;
        ExpectFailedWith(QString(c.lastLog).replace("{source}", source));
    }
}

// Running out of memory at any record: the root, the VIDEO_TS folder, a
// DVD-Video file, AUDIO_TS content, the jacket, a deep folder entry.
TEST_F(CompilationFaultsTest, OutOfMemoryAtEveryRecordDiscardsTheTree)
{
    MakeVideoTs({"VTS_01_0.IFO"});
    fixture::MakeFiles(source, {"AUDIO_TS/a", "JACKET_P/J00___5L.MP2", "Extras/deep/deeper/file"});
    const int records = 12; // root, a, VIDEO_TS, 4 files, JACKET_P, picture, Extras, deep, deeper, file
    ASSERT_NE(Build(), nullptr);
    ASSERT_EQ(fixture::Describe(tree.get()).size(), records + 1);

    for (int failAt = 1; failAt <= records + 1; ++failAt) {
        SCOPED_TRACE(failAt);
        int made = 0;
        builder.SetAllocator([&]() -> IsoItem * { return ++made == failAt ? nullptr : NewIsoItem(); });
        ExpectFailedWith("<614>");
    }
}

// An abort asked during the walk stops it at the next entry, whatever its
// place in the tree.
TEST_F(CompilationFaultsTest, AbortStopsTheWalkAtTheNextEntry)
{
    MakeVideoTs({"VTS_01_0.IFO"});
    fixture::MakeFiles(source, {"AUDIO_TS/a", "Extras/deep/deeper/file", "Extras/b"});
    for (int abortAt : {1, 4, 9}) {
        SCOPED_TRACE(abortAt);
        int asked = 0;
        builder.SetAbortCheck([&] { return ++asked >= abortAt; });
        EXPECT_EQ(Build(), nullptr);
        EXPECT_TRUE(builder.WasAborted());
        EXPECT_EQ(asked, abortAt);
        EXPECT_FALSE(tree);
    }
    builder.SetAbortCheck([] { return false; });
    EXPECT_NE(Build(), nullptr);
    EXPECT_FALSE(builder.WasAborted());
}

TEST_F(CompilationFaultsTest, PathOfExactly255BytesFits)
{
    MakeVideoTs();
    const int room = 255 - int(source.toUtf8().size()) - int(QByteArray("/Extras/").size());
    ASSERT_GT(room, 20);
    // Two-byte characters count twice: the record holds bytes.
    const QString name = QString(room / 2 - 1, QChar(0xE9)) + QString(room % 2 + 2, QChar('x'));
    ASSERT_EQ(name.toUtf8().size(), room);
    fixture::MakeFile(source, "Extras/" + name);

    IsoItem *root = Build();
    ASSERT_NE(root, nullptr);
    const IsoItem *file = fixture::FindTop(root, "Extras")->firstChild;
    EXPECT_EQ(qstrlen(file->sourcePath), 255u);
}

TEST_F(CompilationFaultsTest, NameThatIsNotUtf8StopsTheBuild)
{
    MakeVideoTs();
    QDir(source).mkdir("Extras");
    const QByteArray raw = QFile::encodeName(source) + "/Extras/bad\xff\xfe.txt";
    const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);

    EXPECT_EQ(Build(), nullptr);
    EXPECT_TRUE(window.log.back().startsWith("<943> \"" + source + "/Extras/bad"));
    EXPECT_EQ(window.status.back(), "<774>");
}

// Root reads every folder, so the test drops the capability that lets it;
// each discovered test runs in its own process.
class WithoutReadOverride
{
public:
    WithoutReadOverride()
    {
        ::syscall(SYS_capget, &m_header, m_saved);
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &m_header, reduced);
    }
    ~WithoutReadOverride() { ::syscall(SYS_capset, &m_header, m_saved); }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
};

// An unreadable folder is named, also VIDEO_TS, which is not reported missing.
TEST_F(CompilationFaultsTest, UnreadableFolderStopsTheBuildNamingIt)
{
    for (const QString folder : {"Extras/Locked", "VIDEO_TS"}) {
        source = testenv::makeTempDir("source");
        MakeVideoTs();
        fixture::MakeFile(source, "Extras/Locked/secret.txt");
        const QByteArray path = QFile::encodeName(source + "/" + folder);
        ASSERT_EQ(::chmod(path.constData(), 0), 0);
        {
            WithoutReadOverride unprivileged;
            ExpectFailedWith("<941> \"" + source + "/" + folder + "\"");
        }
        ::chmod(path.constData(), 0755);
    }
}

} // namespace
