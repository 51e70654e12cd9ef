#pragma once

#include "cmdline/RunExitStatus.h"
#include "cmdline/RunPorts.h"
#include "jobs/erase/JobDoneSignal.h"

#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

class RecordingJobs;

namespace cmdline {
struct ParsedCommandLine;
}

// Whether a person sits at the window. Without one (no display), message
// boxes answer their default buttons and a run that cannot succeed closes
// the window instead of waiting.
enum class Presence { Attended, Unattended };

// The unattended run the command line asks for, on a thread of its own: it
// reads the options into the jobs' record (folder, label, switches) and
// shows them in the window, then burns to the preselected recorder and
// closes the window, writes the log file or powers the machine off; with -c
// it only prepares the window. It reaches the window only through its ports
// (RunPorts) and reads no widget.
//
// The window owns the worker. Destroying it (or Stop) ends a run that has
// not started burning, asks a running burn to abort, and waits for the
// thread while the GUI thread goes on serving the window operations the
// worker marshals to it.
class CommandLineWorker
{
public:
    // RunBurn's result before (or without) a burn.
    static constexpr int NoBurnResult = 99;

    CommandLineWorker(const RunPorts &ports, RecordingJobs &jobs);
    ~CommandLineWorker();

    CommandLineWorker(const CommandLineWorker &) = delete;
    CommandLineWorker &operator=(const CommandLineWorker &) = delete;

    // Set before Start; Attended unless the program finds no display.
    void SetPresence(Presence presence) { m_presence = presence; }

    // Starts the run on these tokens. GUI thread; once per window.
    void Start(const QStringList &tokens);
    // Ends the run early (see above) and waits for the thread. GUI thread.
    void Stop();

    // Started and not yet ended.
    bool Running() const { return m_started && !m_done.IsSet(); }
    // Waits until the run has ended (the window may still be open) and
    // answers its result: RunBurn's, or NoBurnResult when nothing was burned.
    int WaitForRun();
    // The process exit status the run stands for; Success until it fails.
    runexit::Status ExitStatus() const { return m_exitStatus.load(); }
    // What the run itself found wrong (the unreadable tokens, nothing to
    // burn without a person); empty when the failure lies in the burn.
    QString FailureCause() const;

private:
    void Run(std::stop_token stop);
    bool SleepBeforeRun(std::stop_token stop);
    // Steps 2 to 5: the options into the jobs' record and the window.
    void ApplyOptions(const cmdline::ParsedCommandLine &parsed);
    void ApplySteps(const cmdline::ParsedCommandLine &parsed);
    // Without -v: the label from the folder's name, and the log says so.
    void TakeLabelFromFolder();
    void ShowParseError(const cmdline::ParsedCommandLine &parsed);
    // The burn and what follows it; the run's result.
    int Burn(const cmdline::ParsedCommandLine &parsed);
    // -n with more than one copy: the copies one after the other.
    int BurnCopies(const cmdline::ParsedCommandLine &parsed, const std::function<int()> &lockWindow);
    void Succeeded(const cmdline::ParsedCommandLine &parsed, bool shutDown);
    void Failed(runexit::Status status, const QString &cause = QString());
    QString ParseErrorCause(const cmdline::ParsedCommandLine &parsed) const;
    RunPorts m_ports;
    RecordingJobs &m_jobs;
    Presence m_presence = Presence::Attended;
    QStringList m_tokens;
    bool m_started = false;
    std::atomic<runexit::Status> m_exitStatus{runexit::Success};
    mutable std::mutex m_causeMutex;
    QString m_cause;
    JobDoneSignal m_done;
    std::mutex m_sleepMutex;
    std::condition_variable_any m_sleepWake;
    // Last: the thread goes before what it uses.
    std::jthread m_thread;
};
