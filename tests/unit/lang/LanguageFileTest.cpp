#include "lang/LanguageFile.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

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
        {"9\n", 9, u""_s, "a line with only the number gives an empty text"},
        {"9:   \n9 later\n", 9, u""_s, "an empty found text is final"},
        {"8 a\\nb\\tc\\\\nd\\r\n", 8, u"a\nb\\tc\\\nd\r"_s, "only \\n and \\r are escapes"},
        {"8 \\\\r\\n\n", 8, u"\\\r\n"_s, "\\n is replaced before \\r"},
        {"+13 plus\n", 13, u"+13 plus"_s, "a sign is read but not removed from the text"},
        {"-1 minus\n", 0xFFFFFFFFu, u"-1 minus"_s, "minus negates modulo 2^32"},
        {"-4294967295 wraps\n", 1, u"-4294967295 wraps"_s, "the largest value negated is 1"},
        {"4294967296 big\n", 0xFFFFFFFFu, u"big"_s, "beyond 32 bits counts as the largest value"},
        {"-99999999999999999999 huge\n", 0xFFFFFFFFu, u"-99999999999999999999 huge"_s,
         "overflow wins over the sign"},
        {"14a text\n", 14, u"a text"_s, "digits end at the first non-digit"},
        {"\n\n15 x\n", 0, u""_s, "an empty line has id 0"},
        {"1 one\r\n2 two\r\n", 2, u"two"_s, "CR LF line ends"},
        {"1 one\r2 two\r3 three", 3, u"three"_s, "CR line ends, no end at the end of the file"},
        {"1 one\r\r\n2 two", 2, u"two"_s, "a lone CR then CR LF"},
        {"\xEF\xBB\xBF"
         "20 first\n",
         20, u"first"_s, "a UTF-8 byte-order mark is not part of the first line"},
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
        {".hidden.lng", "/prog/.hidden.lng"},
        {"", "/prog/english.lng"},
        {"b.ln", "/prog/english.lng"},
        {"../../dev/zero", ""},
        {"../other/x.lng", ""},
        {"sub/x.lng", ""},
        {"/etc/passwd.lng", ""},
        {"english.lng/", ""},
        {"notes.txt", ""},
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

} // namespace
