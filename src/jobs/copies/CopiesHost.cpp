#include "jobs/copies/CopiesHost.h"

#include "TextIds.h"
#include "jobs/burn/BurnRun.h"
#include "jobs/copies/DiscChange.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/ports/IQuestionPort.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

#include <cstring>

namespace jobs {
namespace {

const char *const CopiesCaption = "Copies";

} // namespace

bool IsImageRecorder(const DeviceInfo &device)
{
    return std::strncmp(device.name, "Image Recorder", sizeof device.name) == 0;
}

CopiesHost::CopiesHost(RecordingJob &job, BurnRun &burn, const DeviceInfo &device, IJobWindow &report,
                       IQuestionPort &questions, const std::atomic<bool> &abort,
                       RecordingJob::Prelude prelude)
    : m_job(job), m_burn(burn), m_device(device), m_report(report), m_questions(questions), m_abort(abort),
      m_prelude(std::move(prelude))
{
}

int CopiesHost::BurnCopy(bool lastCopy)
{
    m_burn.KeepDiscIn(!lastCopy);
    const int result = m_job.RunBurn(m_prelude);
    m_burn.KeepDiscIn(false);
    return result;
}

bool CopiesHost::NextDisc(int copy, int copies, QString &why)
{
    DiscChange change(m_device);
    change.EjectBurnedCopy();
    if (m_unattended) {
        const int secs = m_unattended->waitSecs;
        if (m_unattended->notice)
            m_unattended->notice(FormatText(m_report.GetText(textid::WaitingForDisc), {copy, copies, secs}));
        switch (WaitForNextDisc(change, std::chrono::seconds(secs), [this] { return m_abort.load(); })) {
        case DiscWait::Inserted:
            return true;
        case DiscWait::TimedOut:
            why = FormatText(m_report.GetText(textid::DiscChangeTimeout), {secs});
            return false;
        case DiscWait::Stopped:
            return false;
        }
        return false;
    }
    const QString ask = FormatText(m_report.GetText(textid::InsertBlankDisc), {copy, copies});
    for (;;) {
        const int answer = m_questions.ShowAppMessageBox(ask, QString::fromLatin1(CopiesCaption),
                                                         mb::OkCancel | mb::IconInformation);
        if (answer != mb::IdOk || m_abort)
            return false;
        // A drive takes a few seconds to read a disc the tray just took in.
        if (WaitForNextDisc(change, std::chrono::seconds(15), [this] { return m_abort.load(); }) ==
            DiscWait::Inserted)
            return true;
        m_report.AppendLogText(textid::CopyDiscNotChanged);
    }
}

bool CopiesHost::GoOnAfterFailure(int copy, int copies)
{
    if (m_unattended)
        return m_unattended->keepGoing;
    const QString ask = FormatText(m_report.GetText(textid::GoOnAfterFailedCopy), {copy, copies});
    return m_questions.ShowAppMessageBox(ask, QString::fromLatin1(CopiesCaption),
                                         mb::YesNo | mb::IconQuestion) == mb::IdYes;
}

} // namespace jobs
