#pragma once

#include "cmdline/RunExitStatus.h"

#include <QString>

#include <functional>

// The last line of a run that ends with a non-zero status: the status, what
// it means and its cause, in the words of the language file.
namespace runexit {

using TextLookup = std::function<QString(int id)>;

// "Exit status 7 (the compilation ...): <cause>". An empty cause becomes
// text 989; the cause is folded into one line.
QString ReasonLine(Status status, const QString &cause, const TextLookup &text);

// The cause a failed status stands for when the run knows nothing more
// specific than the status itself: the first row of FailureRows with this
// status that names one (6: overwriting was not allowed); else empty.
QString DefaultCause(Status status, const TextLookup &text);

} // namespace runexit
