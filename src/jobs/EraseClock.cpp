#include "jobs/EraseClock.h"

#include "jobs/EraseClockText.h"
#include "jobs/IRecordingWindow.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "platform/MessageBoxType.h"
#include "TextIds.h"

namespace {
const QString UnknownTime = QStringLiteral("?:??");
}

EraseClock::EraseClock(IRecordingWindow &window, RecordingState &state)
    : m_window(window)
    , m_state(state)
{
}

EraseClock::~EraseClock()
{
    if (m_thread.joinable()) {
        m_stop = true;
        m_state.m_evtJobDone.Set();
        m_thread.join();
    }
}

void EraseClock::Start()
{
    Join();
    m_stop = false;
    const int estimate = m_state.m_nEraseSecs;
    m_thread = std::thread([this, estimate] { Run(estimate); });
}

void EraseClock::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool EraseClock::EraseEnded()
{
    return m_state.m_evtJobDone.Wait(static_cast<int>(m_tick.count())) || m_stop;
}

void EraseClock::Run(int estimate)
{
    m_window.SetTimeTotalText(jobs::EraseClockTime(estimate));
    m_window.SetProgressRange(0, estimate);
    for (int i = 0; i <= estimate; ++i) {
        m_window.SetTimeLeftText(jobs::EraseClockTime(estimate - i));
        m_window.SetProgressPos(i);
        m_window.SetPercentText(jobs::EraseClockPercent(i, estimate));
        if (EraseEnded())
            return;
    }
    // The estimate has run out: show that the time is unknown and keep the
    // bar moving until the erase ends.
    m_window.SetProgressRange(0, 100);
    m_window.SetPercentText(QString());
    for (int tick = 0; tick < OvertimeTicks; ++tick) {
        if (EraseEnded()) {
            if (!m_stop)
                ShowEraseTimeout();
            return;
        }
        m_window.SetTimeLeftText(UnknownTime);
        m_window.SetTimeTotalText(UnknownTime);
        m_window.SetProgressPos((tick % 11) * 10);
    }
}

void EraseClock::ShowEraseTimeout()
{
    m_window.ShowMessageBox(m_window.GetText(textid::EraseTimeout), QString::fromLatin1(rec_caption::TimeoutError),
                            mb::IconStop);
}
