#pragma once

#include "jobs/ports/ISetupWindowPort.h"

class CBurnDlg;

// The main window's operations the recording set-up runs.
class WindowSetupPort : public ISetupWindowPort
{
public:
    explicit WindowSetupPort(CBurnDlg &window) : m_window(window) {}

    void EndDialog(int result) override;
    void ApplyFsDefaults(int media) override;
    void CheckSourceSize() override;

private:
    CBurnDlg &m_window;
};
