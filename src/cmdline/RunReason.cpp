#include "cmdline/RunReason.h"

#include "TextIds.h"
#include "platform/TextFormat.h"

namespace runexit {

// The meanings of the statuses 1 to 9 follow one another in the language
// file, the first one at ExitStartupFailed.
static_assert(textid::ExitBurnAborted - textid::ExitStartupFailed == BurnAborted - StartupFailed);

QString ReasonLine(Status status, const QString &cause, const TextLookup &text)
{
    // Status 10 came later than the block of meanings 1 to 9.
    const QString meaning =
        status == NotEveryCopy ? text(textid::ExitNotEveryCopy)
                               : text(textid::ExitStartupFailed + (static_cast<int>(status) - StartupFailed));
    const QString because = cause.simplified().isEmpty() ? text(textid::CauseUnknown) : cause.simplified();
    return FormatText(text(textid::ExitReasonLine), {static_cast<int>(status), meaning, because});
}

QString DefaultCause(Status status, const TextLookup &text)
{
    for (const FailureRow &row : FailureRows()) {
        if (row.status == status && row.causeTextId != 0)
            return text(row.causeTextId);
    }
    return QString();
}

} // namespace runexit
