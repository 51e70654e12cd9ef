#pragma once

#include "reclib_api.h"

#include <QString>

// Whether the disc in a recorder is a used rewritable one that has to be
// erased before it can be written.
namespace jobs {

enum class UsedRewritable { No, DvdMinusRw, DvdPlusRw, CdRw };

// A disc is a used rewritable when it holds data and is a DVD-RW, a DVD+RW
// or a rewritable CD.
UsedRewritable ClassifyDisc(const DiscInfo &info);

// " DVD-RW", " DVD+RW" or " CD-RW" for the log line before the erase.
QString RewritableSuffix(UsedRewritable kind);

} // namespace jobs
