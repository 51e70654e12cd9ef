#include "lang/CLanguageText.h"
#include "lang/LanguageFile.h"

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
// with an empty text does not.
TEST(CLanguageText, TheFileComesFirstAndAnEmptyTextHasNoFallback)
{
    CLanguageText texts(
        WriteFile(u"test.lng"_s, "566 My template %s\n652\n776 Einstellungen gespeichert.\n"));
    EXPECT_EQ(texts.GetText(566), u"My template %s"_s);
    EXPECT_EQ(texts.GetText(652), QString());
    EXPECT_EQ(texts.GetText(776), u"Einstellungen gespeichert."_s);
    EXPECT_EQ(texts.GetText(777), u"The settings could not be saved."_s);
}

TEST(CLanguageText, EveryLookupReadsTheFileAgain)
{
    const QString path = WriteFile(u"live.lng"_s, "600 before\n");
    CLanguageText texts;
    texts.SetFile(path);
    EXPECT_EQ(texts.File(), path);
    EXPECT_EQ(texts.GetText(600), u"before"_s);
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

QByteArray BigFile(qsizetype size)
{
    QByteArray bytes = "652 a big file\n";
    bytes.append(QByteArray(size - bytes.size(), '#'));
    return bytes;
}

TEST(CLanguageText, OnlyARegularFileWithinTheBoundIsALanguageFile)
{
    const QString folder = testenv::makeTempDir(u"odd"_s);
    const QString fifo = folder + u"/fifo.lng"_s;
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString zero = folder + u"/zero.lng"_s;
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zero));
    const QString tooBig = WriteFile(u"big.lng"_s, BigFile(FourMiB + 1));

    for (const QString &path : {fifo, zero, tooBig, folder, u"/dev/null"_s}) {
        const CLanguageText texts(path);
        EXPECT_TRUE(LookupWithin(texts, 652, path).startsWith(u"Orvane Burn"_s))
            << path.toStdString() << ": treated as a missing file";
    }
    EXPECT_EQ(CLanguageText(WriteFile(u"limit.lng"_s, BigFile(FourMiB))).GetText(652), u"a big file"_s);
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
