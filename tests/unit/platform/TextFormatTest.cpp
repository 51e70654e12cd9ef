#include "platform/TextFormat.h"
#include "platform/TextDecoding.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace Qt::StringLiterals;

struct Case
{
    const char *templ;
    std::vector<FormatArg> args;
    const char *expected;
};

QString Format(const Case &c)
{
    return FormatText(QString::fromUtf8(c.templ), c.args.data(), c.args.size());
}

// The conversions the program's templates use, with the results printf gives.
TEST(TextFormat, ConversionsAsPrintf)
{
    const std::vector<Case> cases = {
        {"Device: %s", {u"HL-DT-ST DVDRAM"_s}, "Device: HL-DT-ST DVDRAM"},
        {"%d|%i|%u", {-5, 7, -1}, "-5|7|4294967295"},
        {"%x %#x %#X %o %#o", {255, 255, 255, 8, 8}, "ff 0xff 0XFF 10 010"},
        {"%lu", {-1L}, "18446744073709551615"},
        {"%.1f GB", {4.38}, "4.4 GB"},
        {"%.2f%%", {99.555}, "99.56%"},
        {"%2.2d:%2.2d:%2.2d", {1, 2, 30}, "01:02:30"},
        {"[%5d][%-5d][%05d][%+d][% d]", {42, 42, 42, 42, 42}, "[   42][42   ][00042][+42][ 42]"},
        {"[%-6s][%6s][%.3s]", {u"ab"_s, u"ab"_s, u"abcdef"_s}, "[ab    ][    ab][abc]"},
        {"[%08.3f][%-8.2e]", {-3.14159, 1234.5}, "[-003.142][1.23e+03]"},
        {"%c%c%c", {U'A', U'\u00DF', U'\U0001F4BF'}, "A\u00DF\U0001F4BF"},
        {"[%3c]", {U'x'}, "[  x]"},
        {"100%% done", {}, "100% done"},
        {"%.0d|%.0f", {0, 0.5}, "|0"},
        {"%hd %lld %zu %I64d", {1, 2, 3, 4}, "1 2 3 4"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Format(c), QString::fromUtf8(c.expected)) << c.templ;
}

// Templates come from files anyone can edit: whatever they hold, formatting
// ends with a harmless text and never reads an argument that is not there.
TEST(TextFormat, HostileTemplatesAreHarmless)
{
    const std::vector<Case> cases = {
        {"a%nb%s", {u"x"_s}, "a%nbx"},
        {"%s%s%s%s", {u"one"_s}, "one"},
        {"%d %d %d", {}, "  "},
        {"end %", {1}, "end %"},
        {"%*d", {3, 4}, "%*d"},
        {"%k%d", {7}, "%k7"},
        {"%s", {42}, "42"},
        {"%d", {u"text"_s}, ""},
        {"%f", {u"text"_s}, ""},
        {"%c", {u"\u00C4rger"_s}, "\u00C4"},
        {"%c", {0x110000}, "\uFFFD"},
        {"%c", {0xD800}, "\uFFFD"},
        {"%d|%d", {2.9, std::numeric_limits<double>::quiet_NaN()}, "2|0"},
        {"%x", {1e300}, "7fffffffffffffff"},
        {"%f|%F",
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()},
         "inf|-INF"},
        {"%.999999s", {u"short"_s}, "short"},
        {"%.2s", {u"\U0001F4BF\U0001F4C0x"_s}, "\U0001F4BF\U0001F4C0"}, // no half character
        {"%s", {u"100%d %s"_s, 5, 6}, "100%d %s"},                      // extra arguments, percent in one
    };
    for (const Case &c : cases)
        EXPECT_EQ(Format(c), QString::fromUtf8(c.expected)) << c.templ;
}

TEST(TextFormat, WidthAndPrecisionAreBounded)
{
    const QString huge = FormatText(u"%999999d"_s, {1});
    EXPECT_EQ(huge.size(), 255);
    EXPECT_TRUE(huge.endsWith(QLatin1Char('1')));
    EXPECT_EQ(FormatText(u"%.99999999999999999999d"_s, {1}).size(), 255);
    EXPECT_LE(FormatText(u"%999.999f"_s, {1e308}).size(), 309 + 1 + 255);
}

// One byte that is not UTF-8 anywhere makes the whole text Windows-1252.
TEST(TextDecoding, Utf8WhenEveryByteIsElseWindows1252)
{
    EXPECT_EQ(DecodeText("Gr\xC3\xB6\xC3\x9F"
                         "e \xF0\x9F\x93\x80"),
              u"Gr\u00F6\u00DFe \U0001F4C0"_s);
    EXPECT_EQ(DecodeText("Gr\xF6\xDF"
                         "e \x80 \x93q\x94 \x81"),
              u"Gr\u00F6\u00DFe \u20AC \u201Cq\u201D \u0081"_s);
    // Several check slices long, a valid sequence across a slice boundary.
    const QByteArray bytes = QByteArray(64 * 1024 - 1, 'a') + "\xC3\xA4" + QByteArray(100 * 1024, 'b');
    const std::pair<QByteArray, TextEncoding> cases[] = {
        {bytes, TextEncoding::Utf8},
        {bytes + "\xE4", TextEncoding::Windows1252},
        {bytes + "\xE2\x82", TextEncoding::Windows1252}, // cut off by the end
        {"\xC0\xAF", TextEncoding::Windows1252},         // overlong form
        {"\xED\xA0\x80", TextEncoding::Windows1252},     // surrogate
    };
    for (const auto &[text, encoding] : cases)
        EXPECT_EQ(DetectTextEncoding(text), encoding) << text.right(4).toHex().constData();

    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB\xBFtext"), QByteArrayView("text"));
    EXPECT_EQ(WithoutUtf8Bom("te\xEF\xBB\xBFxt"), QByteArrayView("te\xEF\xBB\xBFxt"));
}

} // namespace
