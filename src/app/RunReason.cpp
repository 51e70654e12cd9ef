#include "app/RunReason.h"

#include "platform/TextFormat.h"

namespace runexit {

QString ReasonLine(Status status, const QString &cause, const TextLookup &text)
{
    const QString meaning = text(TextStatusMeaning + static_cast<int>(status));
    const QString because = cause.simplified().isEmpty() ? text(TextUnknownCause) : cause.simplified();
    return FormatText(text(TextReasonLine), {static_cast<int>(status), meaning, because});
}

QString DefaultCause(Status status, const TextLookup &text)
{
    return status == OverwriteDeclined ? text(TextOverwriteCause) : QString();
}

} // namespace runexit
