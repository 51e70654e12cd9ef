#include "jobs/copies/CopiesRun.h"

#include "TextIds.h"
#include "jobs/copies/SourceStamps.h"
#include "jobs/ports/IJobWindow.h"
#include "platform/TextFormat.h"

#include "reclib_api.h"

namespace jobs {

QString CopiesSummary(const CopiesOutcome &outcome, bool verify, IJobWindow &report)
{
    return FormatText(report.GetText(verify ? textid::CopiesSummaryVerified : textid::CopiesSummary),
                      {outcome.burned, outcome.copies});
}

CopiesOutcome RunCopies(int copies, bool verify, const QString &sourceFolder, ICopiesHost &host,
                        IJobWindow &report)
{
    CopiesOutcome outcome;
    outcome.copies = copies;
    const SourceStamps first = TakeSourceStamps(sourceFolder);
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1) {
            QString why;
            if (host.StopRequested())
                why = report.GetText(textid::CopiesStoppedBetween);
            else if (!host.NextDisc(copy, copies, why) && why.isEmpty())
                why = report.GetText(textid::CopiesStoppedBetween);
            else if (why.isEmpty() && TakeSourceStamps(sourceFolder) != first)
                why = report.GetText(textid::SourceChangedBetweenCopies);
            if (!why.isEmpty()) {
                report.AppendLog(why);
                outcome.stoppedBecause = why;
                break;
            }
        }
        report.AppendLog(FormatText(report.GetText(textid::CopyStarts), {copy, copies}));
        const int result = host.BurnCopy(copy == copies);
        if (result == 0) {
            ++outcome.burned;
            report.AppendLog(FormatText(
                report.GetText(verify ? textid::CopyBurnedVerified : textid::CopyBurned), {copy, copies}));
            continue;
        }
        outcome.failedResult = result;
        report.AppendLog(FormatText(report.GetText(textid::CopyFailed), {copy, copies}));
        // An abort ends the run; what failed on its own lets the host choose.
        if (result == BURN_USER_ABORT || host.StopRequested() || copy == copies ||
            !host.GoOnAfterFailure(copy, copies))
            break;
    }
    report.AppendLog(CopiesSummary(outcome, verify, report));
    return outcome;
}

} // namespace jobs
