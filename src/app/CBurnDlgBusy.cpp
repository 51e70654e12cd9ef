// The busy state: the controls that could start a second job are locked
// while a job runs.
#include "app/CBurnDlg.h"

#include "platform/GuiThread.h"

#include <QMenu>

namespace {

template <typename... Widgets> void SetEnabled(bool enabled, Widgets *...widgets)
{
    (widgets->setEnabled(enabled), ...);
}

} // namespace

void CBurnDlg::EnableBusyUi(AbortButton abort)
{
    EchoBusy(true);
    RunOnGuiThread(
        [this, abort] {
            m_bBusy = 1;
            m_btnAbort->setEnabled(abort == AbortButton::Enabled);
            SetEnabled(false, m_btnQuit, m_btnDvd, m_btnCd, m_btnFullErase, m_btnQuickErase, m_btnReallocate,
                       m_btnErase, m_cmbDevice, m_btnBurn, m_cmbSpeed, m_btnDirectory, m_edtVolume,
                       m_btnAbout, m_btnSaveLog, m_btnSpeeds, m_btnImageFile);
            m_ctlProgress->setRange(0, 100);
            SetEnabled(false, m_edtSourceDir, m_stcLength, m_btnEject, m_btnVerify, m_spnCopies);
            m_mnuSettings->menuAction()->setEnabled(false);
            UpdateData(Exchange::ToControls);
        },
        Blocking::Wait);
}

void CBurnDlg::RestoreIdleUi()
{
    EchoBusy(false);
    RunOnGuiThread(
        [this] {
            m_bBusy = 0;
            m_btnAbort->setEnabled(false);
            SetEnabled(true, m_btnDvd, m_btnCd, m_btnFullErase, m_btnQuickErase, m_btnErase, m_btnDirectory,
                       m_btnQuit, m_stcLength, m_btnEject, m_btnVerify, m_btnReallocate, m_spnCopies);
            m_ctlProgress->setValue(0);
            ShowIdleProgress();
            SetEnabled(true, m_cmbDevice, m_edtVolume, m_btnAbout, m_btnSaveLog, m_btnSpeeds, m_edtSourceDir,
                       m_btnImageFile);
            m_mnuSettings->menuAction()->setEnabled(true);
            CheckSourceSize();
            UpdateData(Exchange::ToControls);
        },
        Blocking::Wait);
}
