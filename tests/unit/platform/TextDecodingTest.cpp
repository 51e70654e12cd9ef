#include "platform/TextDecoding.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(TextDecoding, ValidUtf8IsReadAsUtf8)
{
    const QByteArray bytes = "Gr\xC3\xB6\xC3\x9F"
                             "e \xF0\x9F\x93\x80";
    EXPECT_EQ(DetectTextEncoding(bytes), TextEncoding::Utf8);
    EXPECT_EQ(DecodeText(bytes), QStringLiteral("Gr\u00F6\u00DFe \U0001F4C0"));
}

TEST(TextDecoding, OtherBytesAreWindows1252)
{
    const QByteArray bytes = "Gr\xF6\xDF"
                             "e \x80 \x93quoted\x94 \x81";
    EXPECT_EQ(DetectTextEncoding(bytes), TextEncoding::Windows1252);
    EXPECT_EQ(DecodeText(bytes), QStringLiteral("Gr\u00F6\u00DFe \u20AC \u201Cquoted\u201D \u0081"));
}

TEST(TextDecoding, OneBadByteAnywhereMakesTheWholeFileWindows1252)
{
    // Long enough to span several check slices, with a valid sequence across
    // a slice boundary and the bad byte at the very end.
    QByteArray bytes(64 * 1024 - 1, 'a');
    bytes += "\xC3\xA4";
    bytes += QByteArray(100 * 1024, 'b');
    EXPECT_EQ(DetectTextEncoding(bytes), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding(bytes + "\xE4"), TextEncoding::Windows1252);
    EXPECT_EQ(DetectTextEncoding(bytes + "\xE2\x82"), TextEncoding::Windows1252)
        << "a sequence cut off by the end";
    EXPECT_EQ(DetectTextEncoding(QByteArray("\xC0\xAF")), TextEncoding::Windows1252) << "overlong form";
    EXPECT_EQ(DetectTextEncoding(QByteArray("\xED\xA0\x80")), TextEncoding::Windows1252) << "surrogate";
}

TEST(TextDecoding, ByteOrderMarkIsRemovedOnlyAtTheStart)
{
    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB\xBFtext"), QByteArrayView("text"));
    EXPECT_EQ(WithoutUtf8Bom("te\xEF\xBB\xBFxt"), QByteArrayView("te\xEF\xBB\xBFxt"));
    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB"), QByteArrayView("\xEF\xBB"));
}

} // namespace
