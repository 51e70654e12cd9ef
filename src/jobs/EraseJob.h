#pragma once

#include "jobs/JobPorts.h"

#include "jobs/EraseClock.h"
#include "jobs/JobDoneSignal.h"

#include <functional>
#include <thread>

struct RecordingState;

// Who asked for an erase.
enum class EraseStart {
    User,    // the Erase button: confirmation, message boxes, no burn afterwards
    ForBurn, // the burn run found a used rewritable disc: quick erase, then the burn
};

// Erasing a rewritable disc on a worker thread (with the erase clock
// counting the estimate down), and opening the recorder's tray.
//
// An erase started for a burn runs the burn on the worker once the erase is
// over; WaitForJob lets the caller of that first burn wait for it and take
// its result. Destroying the job waits for the worker.
class EraseJob
{
public:
    // The burn run that follows an erase started for a burn, on the worker
    // thread; answers its result.
    using BurnAfterErase = std::function<int()>;

    EraseJob(const JobPorts &ports, RecordingState &state, BurnAfterErase burnAfterErase);
    ~EraseJob();

    EraseJob(const EraseJob &) = delete;
    EraseJob &operator=(const EraseJob &) = delete;

    // The Erase button.
    void OnEraseButton();
    // Asks (for the user), locks the window and starts the worker; returns
    // at once.
    void StartErase(EraseStart start);
    // The eject button: opens the selected recorder's tray.
    void OnEject();

    // Waits until the last erase job (and the burn that followed it) has
    // ended; the result of that burn, 0 for an erase without a burn. At once
    // when no job runs.
    int WaitForJob();
    // True from the start of an erase job until its worker (and the burn
    // that follows the erase) has ended; the window is idle for a moment in
    // between, but the job still owns the library.
    bool Running() const { return !m_done.IsSet(); }

    EraseClock &Clock() { return m_clock; }

private:
    void EraseWorker();
    // Asks the library for the estimate and erases; false when the erase
    // itself failed.
    bool EraseOpenDevice();
    void ReportEstimateError(int textId);

    JobPorts m_ports;
    RecordingState &m_state;
    BurnAfterErase m_burnAfterErase;
    EraseClock m_clock;
    JobDoneSignal m_done;
    std::thread m_worker;
};
