#pragma once

#include "jobs/ports/JobPorts.h"

#include "reclib_api.h"

#include <cstdint>
#include <functional>

struct RecordingState;

// The six callbacks the recording library calls while it works: idle and
// user dialog (library settings record), progress, abort query, log line and
// phase (progress record). The library calls them on the thread that called
// into it; each C trampoline reaches this object through the context pointer
// the records carry.
class BurnCallbacks
{
public:
    BurnCallbacks(const JobPorts &ports, RecordingState &state);

    BurnCallbacks(const BurnCallbacks &) = delete;
    BurnCallbacks &operator=(const BurnCallbacks &) = delete;

    // Puts the callbacks and this object as their context into the records.
    void FillLibrarySettings(RecLibSettings &settings);
    void FillProgressRecord(RecProgress &progress);

    // On the GUI thread, handles the waiting window events so that Abort
    // works while a burn blocks that thread; elsewhere it only answers.
    // Answers m_bAbort.
    int OnIdle();
    int OnUserDialog(int dialogType, void *data);
    // Moves the progress displays and the estimate; answers m_bAbort.
    int OnProgress(int percent);
    int OnAbortQuery();
    void OnLogLine(const char *text);
    void OnPhase(const char *text);

    // The clock the progress estimate reads (calendar seconds); tests
    // replace it.
    void SetClock(std::function<int64_t()> now);

private:
    int AskImageFile(void *buffer);
    int ShowWaitReason(void *data);
    int AskOverwrite();
    // A dual-layer break inside a scene: 5 to burn with it; no is the
    // default (and the unattended run's answer).
    int AskMidSceneBreak(void *warning);

    JobPorts m_ports;
    RecordingState &m_state;
    std::function<int64_t()> m_now;
};
