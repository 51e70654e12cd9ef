#include "app/WindowSetupPort.h"

#include "app/CBurnDlg.h"

void WindowSetupPort::EndDialog(int result)
{
    m_window.EndDialog(result);
}

void WindowSetupPort::ApplyFsDefaults(int media)
{
    if (media == 0)
        m_window.m_pFsFlagsDlg->ApplyDvdDefaults();
    else
        m_window.m_pFsFlagsDlg->ApplyCdvdDefaults();
}

void WindowSetupPort::CheckSourceSize()
{
    m_window.CheckSourceSize();
}
