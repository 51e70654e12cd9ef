// Termination signals: the job is aborted, the window closes.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "platform/GuiThread.h"
#include "platform/TerminationSignals.h"
#include "platform/TextFormat.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int CloseCheckMs = 100;

} // namespace

void CBurnDlg::OnTerminationSignal(int signalNumber)
{
    if (HasEnded())
        return;
    const bool job = m_jobs.Job().Running();
    m_strMsg = FormatText(GetText(job ? textid::SignalAbortsJob : textid::SignalCloses),
                          {TerminationSignals::Name(signalNumber)});
    AppendLog(m_strMsg);
    // The sender is often a terminal (Ctrl+C) or a service manager: the
    // line goes to standard error as well, where they look.
    std::fputs((m_strMsg + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    if (job) {
        // What the Abort button does once confirmed: the library gives up at
        // its next abort callback. An erase cannot stop; the burn that would
        // follow it gives up at once.
        m_bAbort = 1;
        m_bJobAbortedBySignal = true;
        m_strSignalCause = m_strMsg;
    } else if (CommandLine().Running()) {
        m_bRunEndedBySignal = true;
        m_strSignalCause = m_strMsg;
    }
    CloseAfterSignal();
}

QString CBurnDlg::JobAbortSignalLine() const
{
    QString line;
    RunOnGuiThread([this, &line] { line = m_bJobAbortedBySignal ? m_strSignalCause : QString(); },
                   Blocking::Wait);
    return line;
}

void CBurnDlg::CloseAfterSignal()
{
    if (HasEnded())
        return;
    // Quit may not pull the recording set-up from under code still on the
    // stack: a job (a burn started with Burn runs on this thread and pumps
    // events), a command-line run ending its aborted job, or a dialog or box
    // in its own event loop. Such a dialog is cancelled; the rest is waited
    // for from the window's own event loop.
    QWidget *modal = QApplication::activeModalWidget();
    if (auto *dialog = qobject_cast<QDialog *>(modal); dialog != nullptr && dialog != this) {
        dialog->reject();
    } else if (!m_jobs.Job().Running() && !(m_bJobAbortedBySignal && CommandLine().Running()) &&
               QThread::currentThread()->loopLevel() <= 1) {
        CloseRecordingAndEnd();
        return;
    }
    QTimer::singleShot(CloseCheckMs, this, &CBurnDlg::CloseAfterSignal);
}
