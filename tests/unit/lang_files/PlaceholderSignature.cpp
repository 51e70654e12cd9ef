#include "PlaceholderSignature.h"

namespace {

QChar ValueClass(QChar conversion)
{
    switch (conversion.unicode()) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        return QLatin1Char('d');
    case 's':
        return QLatin1Char('s');
    case 'c':
        return QLatin1Char('c');
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
        return QLatin1Char('f');
    default:
        return QChar();
    }
}

} // namespace

std::optional<QString> PlaceholderSignature(const QString &text)
{
    QString signature;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('%'))
            continue;
        qsizetype j = i + 1;
        if (j < text.size() && text[j] == QLatin1Char('%')) {
            i = j;
            continue;
        }
        while (j < text.size() && QStringLiteral("-+0 #").contains(text[j]))
            ++j;
        while (j < text.size() && text[j].isDigit())
            ++j;
        if (j < text.size() && text[j] == QLatin1Char('.')) {
            ++j;
            while (j < text.size() && text[j].isDigit())
                ++j;
        }
        if (j >= text.size())
            return std::nullopt;
        const QChar valueClass = ValueClass(text[j]);
        if (valueClass.isNull())
            return std::nullopt;
        signature.append(valueClass);
        i = j;
    }
    return signature;
}
