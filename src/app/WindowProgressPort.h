#pragma once

#include "jobs/ports/IProgressPort.h"

#include <atomic>
#include <functional>
#include <memory>

class CBurnDlg;
class TerminalEcho;

// The main window's progress displays as the jobs move them; a command-line
// run's terminal follows them while a job runs. Nothing waits for the
// displays: they change often during a burn.
class WindowProgressPort : public IProgressPort
{
public:
    WindowProgressPort(CBurnDlg &window, const std::shared_ptr<TerminalEcho> &terminal,
                       const std::atomic<int> &busy);

    void SetProgressRange(int low, int high) override;
    void SetProgressPos(int position) override;
    void SetPercentText(const QString &text) override;
    void SetTimeLeftText(const QString &text) override;
    void SetTimeTotalText(const QString &text) override;
    void SetWindowTitleText(const QString &title) override;

    // Every display change is also handed to this port (tests watch the
    // displays through it); none by default.
    void Tap(IProgressPort *also) { m_tap = also; }

private:
    void Echo(const std::function<void(TerminalEcho &)> &update);

    CBurnDlg &m_window;
    const std::shared_ptr<TerminalEcho> &m_terminal;
    const std::atomic<int> &m_busy;
    IProgressPort *m_tap = nullptr;
};
