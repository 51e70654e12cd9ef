#include "jobs/BurnReport.h"

namespace jobs {

BurnReport ReportForResult(int result, const BurnReportContext &context)
{
    BurnReport report;
    const ReportBox errorBox =
        context.shutdownAfterBurn && context.forceShutdown ? ReportBox::None : ReportBox::Error;
    report.box = errorBox;
    report.statusTextId = 786;
    switch (result) {
    case 0:
        // A simulation wrote nothing: its success must not read as a disc.
        report.logTextId = context.simulation ? 912 : 784;
        report.box = context.shutdownAfterBurn ? ReportBox::None : ReportBox::Info;
        report.statusTextId = 766;
        report.totalTimeLine = true;
        break;
    case 1:
        report.logTextId = 785;
        break;
    case 2:
        report.logTextId = 787;
        break;
    case 3:
        if (context.reallocProblem) {
            // The Burn command offers the retry without reallocation instead.
            report = BurnReport{};
        } else {
            report.logTextId = 788;
        }
        break;
    case 4:
        report.logTextId = 789;
        break;
    case 5:
        report.logTextId = 790;
        break;
    case 6:
        report.logTextId = 791;
        report.statusTextId = 791;
        break;
    default:
        report.logTextId = 792;
        break;
    }
    return report;
}

} // namespace jobs
