#pragma once

#include "jobs/ports/IBusyPort.h"

class CBurnDlg;

// The main window's busy state and data exchange, for the jobs.
class WindowBusyPort : public IBusyPort
{
public:
    explicit WindowBusyPort(CBurnDlg &window) : m_window(window) {}

    void EnableBusyUi(AbortButton abort) override;
    void RestoreIdleUi() override;
    void EnableAbort(bool enable) override;
    void UpdateData(Exchange direction) override;
    bool IsBusy() const override;

private:
    CBurnDlg &m_window;
};
