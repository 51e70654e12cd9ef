#include "platform/TextDecoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The table is spelled
// out because Qt's own converters guarantee only UTF and Latin-1 codecs; the
// five unassigned bytes keep their C1 control values.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code < 0xA0) ? QChar(Cp1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

} // namespace

TextEncoding DetectTextEncoding(QByteArrayView bytes)
{
    // Checked in slices so a large file never needs a second, decoded copy.
    // Each slice ends before a lead byte, so no valid sequence is cut; a
    // sequence cut off by the end of the file counts as invalid.
    constexpr qsizetype Slice = 64 * 1024;
    const auto isContinuation = [&](qsizetype pos) {
        return (static_cast<unsigned char>(bytes[pos]) & 0xC0) == 0x80;
    };
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = std::min(pos + Slice, bytes.size());
        for (int back = 0; back < 4 && end < bytes.size() && end > pos + 1 && isContinuation(end); ++back)
            --end;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString ignored = decoder.decode(bytes.sliced(pos, end - pos));
        if (decoder.hasError())
            return TextEncoding::Windows1252;
        pos = end;
    }
    return TextEncoding::Utf8;
}

QString DecodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252)
        return DecodeWindows1252(bytes);
    return QString::fromUtf8(bytes);
}

QString DecodeText(QByteArrayView bytes)
{
    return DecodeText(bytes, DetectTextEncoding(bytes));
}

QByteArrayView WithoutUtf8Bom(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.sliced(3);
    return bytes;
}
