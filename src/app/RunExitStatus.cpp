#include "app/RunExitStatus.h"

#include "jobs/burn/BurnReport.h"

#include <reclib_api.h>

namespace runexit {

Status ForBurnResult(int result, RecorderOpened opened)
{
    switch (result) {
    case BURN_OK:
        return Success;
    case jobs::RunBurnNoSource:
        return NothingToBurn;
    case jobs::RunBurnRefusedLabel:
        return LabelRefused;
    case jobs::RunBurnNoRecorder:
        return opened == RecorderOpened::Yes ? OverwriteDeclined : RecorderUnavailable;
    case jobs::RunBurnCompilationFailed:
    case jobs::RunBurnDiscTooSmall:
    case jobs::RunBurnCheckRefused:
        return CompilationFailed;
    case BURN_USER_ABORT:
        return BurnAborted;
    default:
        return BurnFailed;
    }
}

} // namespace runexit
