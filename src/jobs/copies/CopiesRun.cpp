#include "jobs/copies/CopiesRun.h"

#include "TextIds.h"
#include "jobs/copies/SourceStamps.h"
#include "jobs/ports/IJobWindow.h"
#include "platform/TextFormat.h"

#include "reclib_api.h"

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

namespace jobs {
namespace {

// The recording library dates the image (its volume descriptors, and files
// newer than that) when it makes the track, from the clock unless
// SOURCE_DATE_EPOCH gives the moment. Each copy makes its own track, so the
// run pins that moment for all of them; a moment the user pinned stays.
class PinnedImageTime
{
public:
    PinnedImageTime()
    {
        if (qEnvironmentVariableIsSet(Name))
            return;
        m_pinned = true;
        qputenv(Name, QByteArray::number(static_cast<qint64>(std::time(nullptr))));
    }
    ~PinnedImageTime()
    {
        if (m_pinned)
            qunsetenv(Name);
    }
    PinnedImageTime(const PinnedImageTime &) = delete;
    PinnedImageTime &operator=(const PinnedImageTime &) = delete;

private:
    static constexpr const char *Name = "SOURCE_DATE_EPOCH";
    bool m_pinned = false;
};

} // namespace

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
    const PinnedImageTime sameDates;
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
