#pragma once

#include <QString>

class IBusyPort;
class IJobWindow;
class IRecorderListPort;
class ISourceFieldSteps;

// The switches of the Other settings dialog that options set.
enum class OtherSwitch { NoEject, NoOverwriteAsk };

// The main window as the unattended run drives it, beside the jobs' ports.
// Any thread; every operation that touches the window waits for its thread.
class IRunWindow
{
public:
    virtual ~IRunWindow() = default;

    // The window has ended (Quit, a signal, or a start-up that failed).
    virtual bool HasEnded() const = 0;
    // Steps aside for the run: the window is minimised.
    virtual void Minimize() = 0;
    // -c: the Burn button is usable for the person who finishes the job.
    virtual void OfferBurn() = 0;
    // -c -i: the window shows the image chosen, as "Image file..." does.
    virtual void ShowImageChoice() = 0;
    // Ticks a switch as the Other settings dialog holds it.
    virtual void SetOtherSwitch(OtherSwitch which) = 0;
    // The Shutdown box's handler (it announces the log file), once the label
    // is final.
    virtual void OnShutdownCheck() = 0;
    // Closes the window the way Quit does.
    virtual void Close() = 0;
    // The line that said which signal aborted the running job; empty when
    // none did.
    virtual QString JobAbortSignalLine() const = 0;
};

// What the run says beyond the log, and how a run that burned ends,
// besides closing the window.
class IRunEnd
{
public:
    virtual ~IRunEnd() = default;

    // The stand-by window, the log file of kind 1, power-off; the window
    // closes. Does not return to normal work.
    virtual void RunShutdown() = 0;
    // Writes the log file of this kind to its automatic path.
    virtual void WriteLogFile(int kind) = 0;
    // A line in the log and on standard error (the run's wait for the next
    // disc of a run of copies).
    virtual void Notice(const QString &line) = 0;
};

// Everything the run reaches the window by. The ports outlive the run.
struct RunPorts
{
    IJobWindow &report; // log, texts, the window's own box
    IBusyPort &busy;    // busy state, data exchange
    IRecorderListPort &recorders;
    ISourceFieldSteps &sourceSteps;
    IRunWindow &window;
    IRunEnd &end;
};
