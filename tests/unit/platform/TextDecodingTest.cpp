#include "platform/TextDecoding.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB"), QByteArrayView("\xEF\xBB"));
}
