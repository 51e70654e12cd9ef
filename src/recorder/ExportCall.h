#pragma once

#include "recorder/RecordingLibrary.h"

// Calls the export name of the loaded library with args, or answers
// missingResult when no library is loaded or it lacks that export.
template <typename Function, typename Result, typename... Args>
Result CallExportOr(const char *name, Result missingResult, Args... args)
{
    const auto function = g_hRecLib.Symbol<Function>(name);
    if (function == nullptr)
        return missingResult;
    return function(args...);
}

// The same for exports without a result.
template <typename Function, typename... Args> void CallExportIfPresent(const char *name, Args... args)
{
    if (const auto function = g_hRecLib.Symbol<Function>(name))
        function(args...);
}
