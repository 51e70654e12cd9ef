#include "cmdline/RunExitStatus.h"

#include "TextIds.h"
#include "jobs/burn/BurnReport.h"

#include <reclib_api.h>

namespace runexit {
namespace {

using When = FailureRow::When;

// What an unattended run can meet, and what it says about it. A check of the
// point of no return that fails leaves the disc as it was: its status is at
// most CompilationFailed; only the burn itself (and an abort) gets further.
constexpr FailureRow Rows[] = {
    {BURN_OK, When::Always, Success, 0},
    {jobs::RunBurnNoSource, When::Always, NothingToBurn, textid::NoSourceFolder},
    {jobs::RunBurnFolderUnusable, When::Always, CompilationFailed, 0}, // missing, no folder, unreadable
    {jobs::RunBurnRefusedLabel, When::Always, LabelRefused, 0},        // the label box names the character
    {jobs::RunBurnNoRecorder, When::RecorderNotOpened, RecorderUnavailable, 0}, // the library says why
    {jobs::RunBurnCompilationFailed, When::Always, CompilationFailed, 0},       // the walk's last line
    {jobs::RunBurnTrackFailed, When::Always, CompilationFailed, 0},             // the library names the file
    {jobs::RunBurnDiscTooSmall, When::Always, CompilationFailed, 0},
    {jobs::RunBurnCheckRefused, When::Always, CompilationFailed, 0}, // the DVD-Video check's first error
    // The overwrite question is the last check: only a burnable folder gets here.
    {jobs::RunBurnNoRecorder, When::RecorderOpened, OverwriteDeclined, textid::CauseOverwrite},
    // An abort before the point of no return leaves the disc as it was; the
    // run names the signal when one aborted it.
    {BURN_USER_ABORT, When::Always, BurnAborted, textid::BurnAborted},
    {jobs::RunBurnStillNotBlank, When::Always, BurnFailed, 0}, // its error box
};

bool Matches(const FailureRow &row, int result, RecorderOpened opened)
{
    if (row.result != result)
        return false;
    switch (row.when) {
    case When::RecorderOpened:
        return opened == RecorderOpened::Yes;
    case When::RecorderNotOpened:
        return opened == RecorderOpened::No;
    case When::Always:
        break;
    }
    return true;
}

} // namespace

std::span<const FailureRow> FailureRows()
{
    return Rows;
}

Status ForBurnResult(int result, RecorderOpened opened)
{
    for (const FailureRow &row : Rows) {
        if (Matches(row, result, opened))
            return row.status;
    }
    return BurnFailed;
}

} // namespace runexit
