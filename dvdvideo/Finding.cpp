#include "dvdvideo/Finding.h"

#include <algorithm>

namespace dvdvideo {

const Finding *FirstError(const Findings &findings)
{
    const auto found = std::find_if(findings.begin(), findings.end(),
                                    [](const Finding &f) { return f.severity == Severity::Error; });
    return found == findings.end() ? nullptr : &*found;
}

bool HasError(const Findings &findings)
{
    return FirstError(findings) != nullptr;
}

} // namespace dvdvideo
