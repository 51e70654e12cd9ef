#include "settings/NumberParsing.h"

#include <limits>

namespace numparse {

namespace {

struct Digits
{
    bool negative = false;
    bool overflow = false;
    std::uint64_t value = 0; // held at limit + 1 on overflow
};

bool IsCSpace(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\v' || ch == u'\f' || ch == u'\r';
}

int DigitValue(QChar ch, int base)
{
    const char16_t c = ch.unicode();
    int value = 99;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

Digits ReadDigits(QStringView text, int base, std::uint64_t limit)
{
    Digits result;
    qsizetype pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        result.negative = text[pos++] == u'-';
    // strtol takes "0x" as a prefix only when a hexadecimal digit follows.
    if (base == 16 && pos + 2 < text.size() && text.mid(pos, 2).compare(u"0x", Qt::CaseInsensitive) == 0 &&
        DigitValue(text[pos + 2], 16) >= 0)
        pos += 2;
    for (int digit = 0; pos < text.size() && (digit = DigitValue(text[pos], base)) >= 0; ++pos) {
        result.value = result.value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (result.value > limit) {
            result.overflow = true;
            result.value = limit + 1;
        }
    }
    return result;
}

constexpr std::uint64_t IntMax = std::numeric_limits<int>::max();

// The signed value, held at the ends of the int range.
int HeldToInt(const Digits &digits)
{
    if (digits.negative)
        return digits.value > IntMax ? std::numeric_limits<int>::min() : -static_cast<int>(digits.value);
    return digits.value > IntMax ? std::numeric_limits<int>::max() : static_cast<int>(digits.value);
}

} // namespace

int DecimalInt(QStringView text)
{
    return HeldToInt(ReadDigits(text, 10, IntMax + 1));
}

int HexLong(QStringView text)
{
    return HeldToInt(ReadDigits(text, 16, IntMax + 1));
}

std::uint32_t HexUnsignedLong(QStringView text)
{
    const Digits digits = ReadDigits(text, 16, 0xFFFFFFFFu);
    if (digits.overflow)
        return 0xFFFFFFFFu;
    const auto value = static_cast<std::uint32_t>(digits.value);
    return digits.negative ? 0u - value : value;
}

} // namespace numparse
