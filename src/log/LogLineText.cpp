#include "log/LogLineText.h"

namespace {

bool NeedsEscape(char16_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

QString Escaped(char16_t c)
{
    switch (c) {
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    if (c <= 0x7F)
        return QStringLiteral("\\x%1").arg(static_cast<int>(c), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(static_cast<int>(c), 4, 16, QLatin1Char('0'));
}

} // namespace

QString LogLineText(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        if (NeedsEscape(c.unicode()))
            line += Escaped(c.unicode());
        else
            line += c;
    }
    return line;
}
