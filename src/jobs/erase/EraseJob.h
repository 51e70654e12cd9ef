#pragma once

#include "jobs/ports/JobPorts.h"

#include "jobs/erase/EraseClock.h"

struct RecordingState;

// Who asked for an erase.
enum class EraseStart {
    User,    // the Erase button: confirmation, message boxes, no burn afterwards
    ForBurn, // the burn run found a used rewritable disc: quick erase, then the burn
};

// The steps of erasing a rewritable disc (with the erase clock counting the
// estimate down), and opening the recorder's tray. RecordingJob runs them:
// StartErase on the GUI thread, EraseWorker on its worker thread.
class EraseJob
{
public:
    EraseJob(const JobPorts &ports, RecordingState &state);

    EraseJob(const EraseJob &) = delete;
    EraseJob &operator=(const EraseJob &) = delete;

    // Asks (for the user) and locks the window; false when the user
    // declined, and nothing has changed then.
    bool StartErase(EraseStart start);
    // The erase proper, on the worker thread: opens the recorder (an erase
    // for a burn uses the one the burn run holds open), erases, reports.
    void EraseWorker();
    // The eject button: opens the selected recorder's tray.
    void OnEject();

    EraseClock &Clock() { return m_clock; }

private:
    // Asks the library for the estimate and erases; false when the erase
    // itself failed.
    bool EraseOpenDevice();
    // The user's erase: unmounts the disc the desktop mounted; false (shown)
    // when it stays mounted, and the disc is left as it was.
    bool UnmountDesktopDisc();
    void ReportEstimateError(int textId);

    JobPorts m_ports;
    RecordingState &m_state;
    EraseClock m_clock;
};
