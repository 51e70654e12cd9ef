#include "jobs/erase/EraseClock.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/erase/EraseClockText.h"
#include "platform/MessageBoxType.h"

namespace {
const QString UnknownTime = QStringLiteral("?:??");
}

EraseClock::EraseClock(const JobPorts &ports, RecordingState &state) : m_ports(ports), m_state(state) {}

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
    m_ports.progress.SetTimeTotalText(jobs::EraseClockTime(estimate));
    m_ports.progress.SetProgressRange(0, estimate);
    for (int i = 0; i <= estimate; ++i) {
        m_ports.progress.SetTimeLeftText(jobs::EraseClockTime(estimate - i));
        m_ports.progress.SetProgressPos(i);
        m_ports.progress.SetPercentText(jobs::EraseClockPercent(i, estimate));
        if (EraseEnded())
            return;
    }
    // The estimate has run out: show that the time is unknown and keep the
    // bar moving until the erase ends.
    m_ports.progress.SetProgressRange(0, 100);
    m_ports.progress.SetPercentText(QString());
    for (int tick = 0; tick < OvertimeTicks; ++tick) {
        if (EraseEnded()) {
            if (!m_stop)
                ShowEraseTimeout();
            return;
        }
        m_ports.progress.SetTimeLeftText(UnknownTime);
        m_ports.progress.SetTimeTotalText(UnknownTime);
        m_ports.progress.SetProgressPos((tick % 11) * 10);
    }
}

void EraseClock::ShowEraseTimeout()
{
    m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::EraseTimeout),
                                  QString::fromLatin1(rec_caption::TimeoutError), mb::IconStop);
}
