#include "jobs/burn/BurnReport.h"

#include "TextIds.h"
#include "reclib_api.h"

namespace jobs {

BurnReport ReportForResult(int result, const BurnReportContext &context)
{
    BurnReport report;
    const ReportBox errorBox =
        context.shutdownAfterBurn && context.forceShutdown ? ReportBox::None : ReportBox::Error;
    report.box = errorBox;
    report.statusTextId = textid::BurnFailed;
    switch (result) {
    case BURN_OK:
        // A simulation wrote nothing: its success must not read as a disc.
        report.logTextId = context.simulation ? textid::SimulationSucceeded : textid::BurnSucceeded;
        report.box = context.shutdownAfterBurn ? ReportBox::None : ReportBox::Info;
        report.statusTextId = textid::StatusReady;
        report.totalTimeLine = true;
        break;
    case BURN_UNKNOWN_CD_FORMAT:
        report.logTextId = textid::BurnUnknownFormat;
        break;
    case BURN_INVALID_DRIVE:
        report.logTextId = textid::BurnInvalidDrive;
        break;
    case BURN_FAILED:
        if (context.reallocProblem) {
            // The Burn command offers the retry without reallocation instead.
            report = BurnReport{};
        } else {
            report.logTextId = textid::BurnError;
        }
        break;
    case BURN_FUNCTION_NOT_ALLOWED:
        report.logTextId = textid::BurnNotAllowed;
        break;
    case BURN_DRIVE_NOT_ALLOWED:
        report.logTextId = textid::BurnDriveNotAllowed;
        break;
    case BURN_USER_ABORT:
        report.logTextId = textid::BurnAborted;
        report.statusTextId = textid::BurnAborted;
        break;
    default:
        report.logTextId = textid::BurnUnknownResult;
        break;
    }
    return report;
}

} // namespace jobs
