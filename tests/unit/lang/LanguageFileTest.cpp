#include "lang/LanguageFile.h"
#include "lang/CLanguageText.h"

#include "TestEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

struct Case
{
    QByteArray file;
    std::uint32_t id;
    std::optional<QString> expected;
    const char *why;
};

TEST(LanguageFile, LookupRules)
{
    const std::vector<Case> cases = {
        {"12: 3 word\n", 12, u"word"_s, "the whole leading run of digits, colons, blanks is removed"},
        {"  0012 text\n", 12, u"text"_s, "leading blanks and zeros before the number"},
        {"\t\t50\t:\t text\n", 50, u"text"_s, "any mix of tabs, colons and blanks separates"},
        {"51 trailing  \n", 51, u"trailing  "_s, "trailing blanks stay"},
        {"  # indented\n", 0, u"# indented"_s, "an indented # is a text line with id 0"},
        {"# 7 comment\n; 7 comment\n7 text\n", 7, u"text"_s, "# and ; in the first column are comments"},
        {"5 first\n5 second\n", 5, u"first"_s, "the first line for an id counts"},
        {"9:   \n9 later\n", 9, u""_s, "an empty found text is final"},
        {"8 a\\nb\\tc\\\\nd\\r\n", 8, u"a\nb\\tc\\\nd\r"_s, "only \\n and \\r are escapes"},
        {"8 \\\\r\\n\n", 8, u"\\\r\n"_s, "\\n is replaced before \\r"},
        {"+13 plus\n", 13, u"+13 plus"_s, "a sign is read but not removed from the text"},
        {"-1 minus\n", 0xFFFFFFFFu, u"-1 minus"_s, "minus negates modulo 2^32"},
        {"4294967296 big\n", 0xFFFFFFFFu, u"big"_s, "beyond 32 bits counts as the largest value"},
        {"-99999999999999999999 huge\n", 0xFFFFFFFFu, u"-99999999999999999999 huge"_s,
         "overflow wins over the sign"},
        {"1 one\r\n2 two\r\n", 2, u"two"_s, "CR LF line ends"},
        {"1 one\r2 two\r3 three", 3, u"three"_s, "CR line ends, no end at the end of the file"},
        {"\xEF\xBB\xBF#20 no\n20 yes\n", 20, u"yes"_s,
         "the comment behind a byte-order mark stays a comment"},
        {"21 Gr\xC3\xBC\xC3\x9F"
         "e\n",
         21, u"Grüße"_s, "UTF-8"},
        {"21 Gr\xFC\xDF"
         "e \x80\n",
         21, u"Grüße €"_s, "not UTF-8: Windows-1252"},
        {QByteArray("\x00\xFF\x01\n22 after binary\n", 20), 22, u"after binary"_s,
         "binary bytes do not stop the scan"},
        {QByteArray("23 a\0b\n", 7), 23, QString(u"a\0b"_s), "a zero byte is part of the text"},
        {"1 one\n", 2, std::nullopt, "no line for the id"},
        {"", 0, std::nullopt, "an empty file has no lines"},
        {"1 short\n30 " + QByteArray(2 << 20, 'x') + "\n", 30, QString(2 << 20, u'x'),
         "long lines are read whole"},
        {"30 " + QByteArray(2 << 20, 'x') + "\n31 \xC3\xA4x", 31, u"äx"_s, "UTF-8 only after two megabytes"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(langfile::FindText(c.file, c.id), c.expected) << c.why;
}

TEST(LanguageFile, ParseEntriesListsEveryTextLineInOrder)
{
    const std::vector<langfile::Entry> entries =
        langfile::ParseEntries("# header\n510 &Burn\n;512 old\n512: &Quit\n\n510 again\n");
    std::vector<std::pair<std::uint32_t, QString>> found;
    for (const langfile::Entry &entry : entries)
        found.emplace_back(entry.id, entry.text);
    EXPECT_EQ(found, (std::vector<std::pair<std::uint32_t, QString>>{
                         {510, u"&Burn"_s}, {512, u"&Quit"_s}, {0, QString()}, {510, u"again"_s}}));
}

struct PathCase
{
    const char *setting;
    const char *expected; // below the program folder; "" for no usable file
};

TEST(LanguageFile, OnlyAPlainLngNameInTheProgramFolderIsUsed)
{
    const PathCase cases[] = {
        {"deutsch.lng", "/prog/deutsch.lng"},
        {"Mixed.LNG", "/prog/Mixed.LNG"},
        {"b.ln", "/prog/english.lng"},
        {"../../dev/zero", ""},
        {"english.lngx", ""},
    };
    for (const PathCase &c : cases) {
        EXPECT_EQ(langfile::ProgramFolderFile(u"/prog"_s, QString::fromUtf8(c.setting)),
                  QString::fromUtf8(c.expected))
            << c.setting;
    }
    EXPECT_EQ(langfile::StartupFileName(u".lng"_s), u"english.lng"_s);
    EXPECT_EQ(langfile::StartupFileName(u"x.lng"_s), u"x.lng"_s);
}

QString WriteFile(const QString &name, const QByteArray &bytes)
{
    const QString path = testenv::makeTempDir(u"lang"_s) + u'/' + name;
    EXPECT_TRUE(testenv::writeFile(path, bytes));
    return path;
}

// Whatever is wrong with the current file, every text the shipped English
// file has is there: the program carries that file built in.
TEST(CLanguageText, MissingBrokenOrEmptyFilesGiveTheShippedEnglishTexts)
{
    const QString englishPath = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/english.lng");
    const std::vector<langfile::Entry> english = langfile::ParseEntries(testenv::readFile(englishPath));
    ASSERT_GT(english.size(), 150u);
    const CLanguageText shipped(englishPath);
    for (const QString &path :
         {QString(), u"/nonexistent/english.lng"_s, WriteFile(u"empty.lng"_s, QByteArray()),
          WriteFile(u"broken.lng"_s, QByteArray("\xff\xfe\0garbage\n#652 a comment\n;777\n", 31))}) {
        const CLanguageText texts(path);
        int differing = 0;
        for (const langfile::Entry &entry : english)
            differing += entry.id != 0 && texts.GetText(int(entry.id)) != shipped.GetText(int(entry.id));
        EXPECT_EQ(differing, 0) << path.toStdString();
        EXPECT_EQ(texts.GetText(-1), QString());
        EXPECT_EQ(texts.GetText(805), QString()) << "an id English does not have either";
    }
}

// The file comes first; an id it lacks falls back to English, an id it has
// with an empty text does not. Every lookup reads the file again.
TEST(CLanguageText, TheFileComesFirstAndAnEmptyTextHasNoFallback)
{
    const QString path =
        WriteFile(u"test.lng"_s, "566 My template %s\n652\n776 Einstellungen gespeichert.\n");
    CLanguageText texts;
    texts.SetFile(path);
    EXPECT_EQ(texts.GetText(566), u"My template %s"_s);
    EXPECT_EQ(texts.GetText(652), QString());
    EXPECT_EQ(texts.GetText(776), u"Einstellungen gespeichert."_s);
    EXPECT_EQ(texts.GetText(777), u"The settings could not be saved."_s);
    ASSERT_TRUE(testenv::writeFile(path, "600 after\n"));
    EXPECT_EQ(texts.GetText(600), u"after"_s);
    ASSERT_TRUE(QFile::rename(path, path + u".gone"_s));
    EXPECT_EQ(texts.GetText(600), u"Command line: the option -v needs a volume label."_s);
    EXPECT_TRUE(texts.GetText(652).startsWith(u"Orvane Burn"_s));
}

// Looks a text up on another thread. A lookup that blocks (a FIFO without a
// writer) is released by opening the FIFO for writing, and reported.
QString LookupWithin(const CLanguageText &texts, int id, const QString &releasePath)
{
    auto lookup = std::async(std::launch::async, [&texts, id] { return texts.GetText(id); });
    if (lookup.wait_for(std::chrono::seconds(10)) == std::future_status::ready)
        return lookup.get();
    ADD_FAILURE() << "the lookup blocked";
    const int fd = ::open(releasePath.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0)
        ::close(fd);
    return lookup.get();
}

constexpr qsizetype FourMiB = 4 * 1024 * 1024;
const QByteArray BigFile = "652 a big file\n";

TEST(CLanguageText, OnlyARegularFileWithinTheBoundIsALanguageFile)
{
    const QString folder = testenv::makeTempDir(u"odd"_s);
    const QString fifo = folder + u"/fifo.lng"_s;
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString tooBig = WriteFile(u"big.lng"_s, BigFile.leftJustified(FourMiB + 1, '#'));

    for (const QString &path : {fifo, tooBig, folder, u"/dev/null"_s}) {
        const CLanguageText texts(path);
        EXPECT_TRUE(LookupWithin(texts, 652, path).startsWith(u"Orvane Burn"_s))
            << path.toStdString() << ": treated as a missing file";
    }
    EXPECT_EQ(CLanguageText(WriteFile(u"limit.lng"_s, BigFile.leftJustified(FourMiB, '#'))).GetText(652),
              u"a big file"_s);
}

TEST(CLanguageText, LookupsOnWorkerThreadsWhileTheFileChanges)
{
    const QString first = WriteFile(u"a.lng"_s, "700 first\n");
    const QString second = WriteFile(u"b.lng"_s, "700 second\n");
    CLanguageText texts(first);
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};
    std::thread reader([&] {
        while (!stop) {
            const QString text = texts.GetText(700);
            if (text != u"first"_s && text != u"second"_s)
                ++unexpected;
        }
    });
    for (int i = 0; i < 200; ++i)
        texts.SetFile(i % 2 ? first : second);
    stop = true;
    reader.join();
    EXPECT_EQ(unexpected, 0);
}

} // namespace
