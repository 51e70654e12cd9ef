#pragma once

#include "sysio/UniqueFd.h"

#include <QObject>
#include <QString>

#include <csignal>
#include <memory>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the thread that owns
// the object, so that the program can end a job and close its window in
// good order instead of dying with a half-written disc. The handler itself
// only writes the signal's number into a pipe (async-signal-safe); a socket
// notifier reads it on the event loop. A second termination signal, while
// the first is still being acted on, ends the process at once with that
// signal's default action: whoever sent it has stopped waiting.
//
// One instance at a time; it restores the previous handlers when it goes.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

    // "SIGTERM" and so on, for the signals handled here.
    static QString Name(int signalNumber);

signals:
    void received(int signalNumber);

private:
    void ReadPending();

    sysio::UniqueFd m_readEnd;
    sysio::UniqueFd m_writeEnd;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[3]{};
};

// Exceeding the file-size limit (RLIMIT_FSIZE) raises SIGXFSZ, whose default
// action ends the process, on any thread that writes, the recording
// library's too. Ignored, the write fails with EFBIG and is reported like
// any other write error. Call at process start.
void IgnoreFileSizeSignal();
