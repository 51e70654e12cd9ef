#include "app/WindowProgressPort.h"

#include "app/CBurnDlg.h"
#include "log/TerminalEcho.h"
#include "platform/GuiThread.h"

WindowProgressPort::WindowProgressPort(CBurnDlg &window, const std::shared_ptr<TerminalEcho> &terminal,
                                       const std::atomic<int> &busy)
    : m_window(window), m_terminal(terminal), m_busy(busy)
{
}

void WindowProgressPort::Echo(const std::function<void(TerminalEcho &)> &update)
{
    // Between jobs the displays only show their idle state.
    if (m_terminal && m_busy)
        update(*m_terminal);
}

void WindowProgressPort::SetProgressRange(int low, int high)
{
    if (m_tap != nullptr)
        m_tap->SetProgressRange(low, high);
    Echo([low, high](TerminalEcho &terminal) { terminal.SetRange(low, high); });
    RunOnGuiThread([this, low, high] { m_window.m_ctlProgress->setRange(low, high); }, Blocking::NoWait);
}

void WindowProgressPort::SetProgressPos(int position)
{
    if (m_tap != nullptr)
        m_tap->SetProgressPos(position);
    Echo([position](TerminalEcho &terminal) { terminal.SetPosition(position); });
    RunOnGuiThread([this, position] { m_window.m_ctlProgress->setValue(position); }, Blocking::NoWait);
}

void WindowProgressPort::SetPercentText(const QString &text)
{
    if (m_tap != nullptr)
        m_tap->SetPercentText(text);
    Echo([&text](TerminalEcho &terminal) { terminal.SetPercentText(text); });
    RunOnGuiThread([this, text] { m_window.m_stcPercent->setText(text); }, Blocking::NoWait);
}

void WindowProgressPort::SetTimeLeftText(const QString &text)
{
    if (m_tap != nullptr)
        m_tap->SetTimeLeftText(text);
    Echo([&text](TerminalEcho &terminal) { terminal.SetTimeLeftText(text); });
    RunOnGuiThread([this, text] { m_window.m_stcTimeLeft->setText(text); }, Blocking::NoWait);
}

void WindowProgressPort::SetTimeTotalText(const QString &text)
{
    if (m_tap != nullptr)
        m_tap->SetTimeTotalText(text);
    RunOnGuiThread([this, text] { m_window.m_stcTimeTotal->setText(text); }, Blocking::NoWait);
}

void WindowProgressPort::SetWindowTitleText(const QString &title)
{
    if (m_tap != nullptr)
        m_tap->SetWindowTitleText(title);
    RunOnGuiThread([this, title] { m_window.setWindowTitle(title); }, Blocking::NoWait);
}
