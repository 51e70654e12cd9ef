#include "app/WindowBusyPort.h"

#include "app/CBurnDlg.h"
#include "platform/GuiThread.h"

void WindowBusyPort::EnableBusyUi(AbortButton abort)
{
    m_window.EnableBusyUi(abort);
}

void WindowBusyPort::RestoreIdleUi()
{
    m_window.RestoreIdleUi();
}

void WindowBusyPort::EnableAbort(bool enable)
{
    RunOnGuiThread([this, enable] { m_window.m_btnAbort->setEnabled(enable); }, Blocking::Wait);
}

void WindowBusyPort::UpdateData(Exchange direction)
{
    m_window.UpdateData(direction);
}

bool WindowBusyPort::IsBusy() const
{
    return m_window.IsBusy();
}
