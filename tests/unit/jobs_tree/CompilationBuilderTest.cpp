// The disc tree a source folder turns into: order, names, omissions, logs.
#include "TreeFixture.h"

#include "jobs/tree/DvdVideoNames.h"
#include "jobs/tree/FolderListing.h"

namespace {

using fixture::Describe;
using fixture::MakeFiles;

using CompilationBuilderTest = CompilationTest;

TEST_F(CompilationBuilderTest, MinimalSourceGivesEmptyAudioTsAndPlayerOrder)
{
    MakeFiles(source, {"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VIDEO_TS.BUP", "VIDEO_TS/VTS_01_0.IFO",
                       "VIDEO_TS/VTS_01_1.VOB", "VIDEO_TS/VTS_01_0.BUP"});
    IsoItem *root = Build();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root, tree.get());
    EXPECT_EQ(Describe(root), QStringList({"AUDIO_TS/", "VIDEO_TS/", "  VIDEO_TS.IFO", "  VIDEO_TS.BUP",
                                           "  VTS_01_0.IFO", "  VTS_01_1.VOB", "  VTS_01_0.BUP"}));
    EXPECT_EQ(window.status, QStringList({"<771>", "<773>"}));
    EXPECT_EQ(window.log,
              QStringList({"<682>", "<772> \"" + source + "\"", "<690>", "<684>", "<694>",
                           "Adding VIDEO_TS.IFO", "<696>", "Adding VIDEO_TS.BUP", "Adding VTS_01_0.IFO",
                           "Adding VTS_01_1.VOB", "Adding VTS_01_0.BUP", "<775> \"" + source + "\"..."}));
    const IsoItem *ifo = root->nextSibling->firstChild;
    EXPECT_EQ(QString::fromUtf8(ifo->sourcePath), source + "/VIDEO_TS/VIDEO_TS.IFO");
    EXPECT_EQ(ifo->directoryFlag, 0);
    EXPECT_EQ(root->nextSibling->directoryFlag, 1);
    EXPECT_EQ(root->nextSibling->sourcePath[0], '\0');
}

TEST_F(CompilationBuilderTest, TitleSetsFollowPlayerOrderAndSkipWhatPlayersNeverRead)
{
    MakeVideoTs({"VTS_01_0.BUP", "VTS_01_9.VOB", "VTS_01_10.VOB", "VTS_01_0.VOB", "VTS_01_0.IFO",
                 "VTS_01_1.IFO", "VTS_02_1.VOB", "VTS_02_0.BUP", "vts_03_0.ifo", "vts_03_1.vob",
                 "VTS_99_0.IFO", "VTS_100_0.IFO", "README.TXT", "EXTRA/VTS_04_0.IFO"});
    IsoItem *root = Build();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(fixture::ChildNames(root->nextSibling),
              QStringList({"VIDEO_TS.IFO", "VIDEO_TS.VOB", "VIDEO_TS.BUP", "VTS_01_0.IFO", "VTS_01_0.VOB",
                           "VTS_01_9.VOB", "VTS_01_0.BUP", "VTS_03_0.IFO", "VTS_03_1.VOB", "VTS_99_0.IFO"}));
    EXPECT_FALSE(window.log.contains("<696>"));
    const IsoItem *ifo = fixture::FindTop(root->nextSibling->firstChild, "VTS_03_0.IFO");
    ASSERT_NE(ifo, nullptr);
    EXPECT_EQ(QString::fromUtf8(ifo->sourcePath), source + "/VIDEO_TS/vts_03_0.ifo");
}

TEST_F(CompilationBuilderTest, TopLevelOrderAndTheRestOfTheSourceWithItsLinks)
{
    MakeVideoTs();
    MakeFiles(source,
              {"AUDIO_TS/lower.txt", "jacket_p/J00___5L.MP2", "jacket_p/j01___ab.mp2", "jacket_p/notes.txt",
               "jacket_p/J00___5L.MP2.bak", "Extras/Making of.txt", "Extras/video_ts/VIDEO_TS.IFO",
               "Extras/Deeper/Jacket_P", "Extras/Deeper/.hidden", "Extras/Ärger/фильм 日本.txt"});
    // A link to a file is a file; a link to a folder is left off, so a loop cannot hang the build.
    fixture::MakeLink(source, "Extras/loop", "..");
    fixture::MakeLink(source, "Extras/self", "self");
    fixture::MakeLink(source, "Extras/file-link", "Making of.txt");
    IsoItem *root = Build();
    ASSERT_NE(root, nullptr);
    const QStringList lines = Describe(root);
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines.mid(0, 2), QStringList({"AUDIO_TS/", "  lower.txt"}));
    EXPECT_EQ(lines[2], "VIDEO_TS/");
    const IsoItem *jacket = fixture::FindTop(root, "JACKET_P");
    ASSERT_NE(jacket, nullptr);
    QStringList pictures = fixture::ChildNames(jacket);
    pictures.sort();
    EXPECT_EQ(pictures, QStringList({"J00___5L.MP2", "J01___AB.MP2"}));
    EXPECT_EQ(QString::fromUtf8(fixture::FindTop(jacket->firstChild, "J01___AB.MP2")->sourcePath),
              source + "/jacket_p/j01___ab.mp2");
    EXPECT_EQ(lines[6], "JACKET_P/");
    const IsoItem *extras = fixture::FindTop(root, "Extras");
    ASSERT_NE(extras, nullptr);
    EXPECT_EQ(extras, jacket->nextSibling);
    EXPECT_EQ(extras->nextSibling, nullptr);
    QStringList extrasLines = Describe(extras->firstChild);
    extrasLines.sort();
    EXPECT_EQ(extrasLines, QStringList({"  .hidden", "  фильм 日本.txt", "Deeper/", "Making of.txt",
                                        "file-link", "self", "Ärger/"}));
    EXPECT_TRUE(window.log.contains("<942> \"" + source + "/Extras/loop\""));
    EXPECT_TRUE(window.log.contains("<692>"));
    EXPECT_TRUE(window.log.contains("Adding J01___AB.MP2"));
    EXPECT_TRUE(window.log.contains("<688>"));
    EXPECT_TRUE(window.log.contains("Adding file " + source + "/Extras/Making of.txt..."));
    EXPECT_TRUE(window.log.contains("Adding file " + source + "/Extras/Ärger/фильм 日本.txt..."));
    EXPECT_TRUE(window.log.contains("<775> \"" + source + "/Extras/Deeper\"..."));
}

TEST_F(CompilationBuilderTest, LooseDvdVideoFilesWithoutVideoTsFolder)
{
    MakeFiles(source,
              {"video_ts.ifo", "VIDEO_TS.BUP", "other.txt", "jacket_p/J00___5L.MP2", "AUDIO_TS/a.txt"});
    IsoItem *root = Build();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Describe(root),
              QStringList({"AUDIO_TS/", "  a.txt", "VIDEO_TS/", "  VIDEO_TS.IFO", "  VIDEO_TS.BUP"}));
    EXPECT_TRUE(window.log.contains("<686>"));
    EXPECT_EQ(window.status.back(), "<773>");
}

TEST_F(CompilationBuilderTest, TwoBuildsInARowReplaceTheTree)
{
    MakeVideoTs();
    ASSERT_NE(Build(), nullptr);
    fixture::MakeFile(source, "added.txt");
    window.log.clear();
    IsoItem *second = Build();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second, tree.get());
    EXPECT_NE(fixture::FindTop(second, "added.txt"), nullptr);
    EXPECT_EQ(window.log.count("Adding VIDEO_TS.IFO"), 1);

    QFile::remove(source + "/VIDEO_TS/VIDEO_TS.BUP");
    EXPECT_EQ(Build(), nullptr);
    EXPECT_EQ(tree.get(), nullptr);
}

TEST(DvdVideoNamesTest, JacketPicturePattern)
{
    const struct
    {
        const char *name;
        bool matches;
    } cases[] = {
        {"J00___5L.MP2", true},
        {"j00___5l.mp2", true},
        {"J\xc3\x84\xc3\x96___\xc3\x9c\x31.MP2", true}, // three letters of two bytes each
        {"J00___5L.MP3", false},
        {"J00__5L.MP2", false},
        {"K00___5L.MP2", false},
        {"J00___5L.MP2.bak", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsJacketPictureName(c.name), c.matches) << c.name;
}

TEST(DvdVideoNamesTest, FixedNamesIgnoreOnlyAsciiCase)
{
    std::vector<FolderEntry> entries = {{"Video_Ts.Ifo", EntryKind::File}, {"VIDEO_TS.IFO", EntryKind::File}};
    EXPECT_EQ(FindEntryNoCase(entries, "VIDEO_TS.IFO")->name, "VIDEO_TS.IFO");
    EXPECT_EQ(FindEntryNoCase(entries, "video_ts.ifo")->name, "Video_Ts.Ifo");
    EXPECT_EQ(FindEntryNoCase(entries, "video_ts.bup"), nullptr);
    EXPECT_FALSE(EqualsNoCase("\xc3\xa4", "\xc3\x84")); // no folding outside ASCII
}

} // namespace
