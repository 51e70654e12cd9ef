#include "platform/TextFormat.h"

#include <QList>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

// Width and precision beyond this are cut: a template from a file must not be
// able to ask for gigabytes of padding.
constexpr int MaxWidth = 255;

struct ConversionSpec
{
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alt = false;
    int width = 0;
    int precision = -1;
    char16_t conversion = 0;
};

bool IsDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

int ReadNumber(const QString &templ, qsizetype &pos)
{
    int value = 0;
    while (pos < templ.size() && IsDigit(templ[pos])) {
        value = std::min(MaxWidth, value * 10 + (templ[pos].unicode() - u'0'));
        ++pos;
    }
    return value;
}

void SkipLengthModifier(const QString &templ, qsizetype &pos)
{
    static const QString singles = QStringLiteral("hlLqjzt");
    if (templ.mid(pos, 3) == QLatin1String("I64") || templ.mid(pos, 3) == QLatin1String("I32")) {
        pos += 3;
        return;
    }
    for (int i = 0; i < 2 && pos < templ.size() && singles.contains(templ[pos]); ++i)
        ++pos;
}

// Parses the conversion that starts after a "%" at pos; false when the text
// is not a conversion this formatter performs (pos then points past what was
// looked at, so the caller can copy it literally).
bool ParseSpec(const QString &templ, qsizetype &pos, ConversionSpec &spec)
{
    for (; pos < templ.size(); ++pos) {
        const char16_t ch = templ[pos].unicode();
        if (ch == u'-')
            spec.left = true;
        else if (ch == u'+')
            spec.plus = true;
        else if (ch == u' ')
            spec.space = true;
        else if (ch == u'0')
            spec.zero = true;
        else if (ch == u'#')
            spec.alt = true;
        else
            break;
    }
    spec.width = ReadNumber(templ, pos);
    if (pos < templ.size() && templ[pos] == QLatin1Char('.')) {
        ++pos;
        spec.precision = ReadNumber(templ, pos);
    }
    SkipLengthModifier(templ, pos);
    if (pos >= templ.size())
        return false;
    static const QString known = QStringLiteral("diuxXocsfFeEgG");
    const QChar conversion = templ[pos++];
    if (!known.contains(conversion))
        return false;
    spec.conversion = conversion.unicode();
    return true;
}

QString PadWithBlanks(const QString &body, const ConversionSpec &spec)
{
    const qsizetype missing = spec.width - body.size();
    if (missing <= 0)
        return body;
    const QString blanks(missing, QLatin1Char(' '));
    return spec.left ? body + blanks : blanks + body;
}

std::int64_t ClampToInt64(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

std::optional<std::int64_t> IntegerOf(const FormatArg &arg)
{
    switch (arg.type()) {
    case FormatArg::Type::Int:
    case FormatArg::Type::Long:
    case FormatArg::Type::Char:
        return arg.integer();
    case FormatArg::Type::Double:
        return ClampToInt64(arg.real());
    case FormatArg::Type::String:
        break;
    }
    return std::nullopt;
}

QString PadNumber(const QString &sign, const QString &prefix, QString digits, const ConversionSpec &spec)
{
    const qsizetype used = sign.size() + prefix.size() + digits.size();
    if (spec.zero && !spec.left && spec.precision < 0 && used < spec.width)
        digits.prepend(QString(spec.width - used, QLatin1Char('0')));
    return PadWithBlanks(sign + prefix + digits, spec);
}

QString FormatInteger(const FormatArg &arg, const ConversionSpec &spec)
{
    const std::optional<std::int64_t> value = IntegerOf(arg);
    if (!value)
        return {};
    const bool isSigned = spec.conversion == u'd' || spec.conversion == u'i';
    QString sign;
    std::uint64_t magnitude = 0;
    if (isSigned) {
        magnitude = *value < 0 ? 0 - static_cast<std::uint64_t>(*value) : static_cast<std::uint64_t>(*value);
        sign = *value < 0   ? QStringLiteral("-")
               : spec.plus  ? QStringLiteral("+")
               : spec.space ? QStringLiteral(" ")
                            : QString();
    } else {
        // A plain int is a 32-bit word, as the templates expect (%X of a
        // negative int gives eight digits).
        magnitude = arg.type() == FormatArg::Type::Int ? static_cast<std::uint32_t>(*value)
                                                       : static_cast<std::uint64_t>(*value);
    }
    const int base = spec.conversion == u'o'                                ? 8
                     : (spec.conversion == u'x' || spec.conversion == u'X') ? 16
                                                                            : 10;
    QString digits = QString::number(magnitude, base);
    if (spec.conversion == u'X')
        digits = digits.toUpper();
    if (spec.precision == 0 && magnitude == 0)
        digits.clear();
    if (spec.precision > digits.size())
        digits.prepend(QString(spec.precision - digits.size(), QLatin1Char('0')));
    QString prefix;
    if (spec.alt && magnitude != 0 && base == 16)
        prefix = spec.conversion == u'X' ? QStringLiteral("0X") : QStringLiteral("0x");
    if (spec.alt && base == 8 && !digits.startsWith(QLatin1Char('0')))
        digits.prepend(QLatin1Char('0'));
    return PadNumber(sign, prefix, digits, spec);
}

QString FormatReal(const FormatArg &arg, const ConversionSpec &spec)
{
    double value = 0;
    if (arg.type() == FormatArg::Type::Double)
        value = arg.real();
    else if (arg.type() == FormatArg::Type::String)
        return {};
    else
        value = static_cast<double>(arg.integer());
    const int precision = spec.precision < 0 ? 6 : spec.precision;
    // The format handed to snprintf is built here from known parts only.
    std::array<char, 8> format{};
    std::size_t used = 0;
    format[used++] = '%';
    if (spec.alt)
        format[used++] = '#';
    format[used++] = '.';
    format[used++] = '*';
    format[used++] = static_cast<char>(spec.conversion);
    std::array<char, 1024> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format.data(), precision, std::fabs(value));
    const QString sign = std::signbit(value) && !std::isnan(value) ? QStringLiteral("-")
                         : spec.plus                               ? QStringLiteral("+")
                         : spec.space                              ? QStringLiteral(" ")
                                                                   : QString();
    const QString digits = QString::fromLatin1(buffer.data());
    if (!std::isfinite(value)) {
        ConversionSpec noZeros = spec;
        noZeros.zero = false;
        return PadNumber(sign, {}, digits, noZeros);
    }
    ConversionSpec zerosAllowed = spec;
    zerosAllowed.precision = -1; // for reals the precision does not turn off zero padding
    return PadNumber(sign, {}, digits, zerosAllowed);
}

QString CharacterText(char32_t codePoint)
{
    const bool valid = codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
    const char32_t shown = valid ? codePoint : char32_t(0xFFFD);
    return QString::fromUcs4(&shown, 1);
}

QString FormatCharacter(const FormatArg &arg, const ConversionSpec &spec)
{
    QString text;
    switch (arg.type()) {
    case FormatArg::Type::Char:
    case FormatArg::Type::Int:
    case FormatArg::Type::Long:
        text = CharacterText(static_cast<char32_t>(static_cast<std::uint32_t>(arg.integer())));
        break;
    case FormatArg::Type::String:
        if (!arg.string().isEmpty())
            text = CharacterText(arg.string().toUcs4().constFirst());
        break;
    case FormatArg::Type::Double:
        break;
    }
    return PadWithBlanks(text, spec);
}

// The first count characters (code points, so a pair of surrogates is never split).
QString LeftCodePoints(const QString &text, int count)
{
    qsizetype pos = 0;
    for (int taken = 0; taken < count && pos < text.size(); ++taken)
        pos +=
            (text[pos].isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate()) ? 2 : 1;
    return text.left(pos);
}

QString FormatString(const FormatArg &arg, const ConversionSpec &spec)
{
    QString text;
    switch (arg.type()) {
    case FormatArg::Type::String:
        text = arg.string();
        break;
    case FormatArg::Type::Int:
    case FormatArg::Type::Long:
        text = QString::number(arg.integer());
        break;
    case FormatArg::Type::Char:
        text = CharacterText(static_cast<char32_t>(arg.integer()));
        break;
    case FormatArg::Type::Double:
        text = QString::number(arg.real());
        break;
    }
    if (spec.precision >= 0)
        text = LeftCodePoints(text, spec.precision);
    return PadWithBlanks(text, spec);
}

QString FormatOne(const FormatArg &arg, const ConversionSpec &spec)
{
    switch (spec.conversion) {
    case u'c':
        return FormatCharacter(arg, spec);
    case u's':
        return FormatString(arg, spec);
    case u'f':
    case u'F':
    case u'e':
    case u'E':
    case u'g':
    case u'G':
        return FormatReal(arg, spec);
    default:
        return FormatInteger(arg, spec);
    }
}

} // namespace

QString FormatText(const QString &templ, const FormatArg *args, std::size_t count)
{
    QString out;
    out.reserve(templ.size());
    std::size_t nextArg = 0;
    qsizetype pos = 0;
    while (pos < templ.size()) {
        const qsizetype percent = templ.indexOf(QLatin1Char('%'), pos);
        if (percent < 0) {
            out += QStringView(templ).mid(pos);
            break;
        }
        out += QStringView(templ).mid(pos, percent - pos);
        if (percent + 1 < templ.size() && templ[percent + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            pos = percent + 2;
            continue;
        }
        pos = percent + 1;
        ConversionSpec spec;
        if (!ParseSpec(templ, pos, spec)) {
            out += QStringView(templ).mid(percent, pos - percent);
            continue;
        }
        if (nextArg < count)
            out += FormatOne(args[nextArg], spec);
        ++nextArg;
    }
    return out;
}

QString FormatText(const QString &templ, std::initializer_list<FormatArg> args)
{
    return FormatText(templ, args.begin(), args.size());
}
