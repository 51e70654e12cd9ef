// The source folder, the volume label and the capacity meter.
#include "app/CBurnDlg.h"

#include "jobs/label/SourceFieldEvents.h"
#include "jobs/label/SourceSizeCheck.h"
#include "jobs/label/VolumeLabel.h"
#include "platform/CFilePicker.h"
#include "platform/GuiThread.h"

#include <QLayout>
#include <QResizeEvent>

namespace {

constexpr int ScaleBitmap = 5010;

} // namespace

int CBurnDlg::LabelLimit() const
{
    return VolumeLabelLimit(m_pOtherDlg->m_bLabel16 != 0);
}

void CBurnDlg::SetLabelRoomText(const QString &text)
{
    RunOnGuiThread([this, text] { m_stcLength->setText(text); }, Blocking::Wait);
}

void CBurnDlg::CheckSourceSize()
{
    RunOnGuiThread(
        [this] {
            const OtherSettingsValues &other = *m_pOtherDlg;
            const SizeLimits limits = LimitsForMedia(m_nMedia, {other.GetLimitDVD(), other.GetLimitDVDRed()},
                                                     {other.GetLimitCD(), other.GetLimitCDRed()});
            const SourceSizeCheck check = ::CheckSourceSize(m_strSourceDir, limits, other.m_bIgnoreSize != 0);
            if (check.sourceGiven) {
                m_ctlCapacity->SetYellowLimit(check.yellowMb);
                m_ctlCapacity->SetRedLimit(check.redMb);
            }
            m_ctlCapacity->SetSize(check.sizeMb);
            if (check.burn != BurnButton::Unchanged)
                m_btnBurn->setEnabled(check.burn == BurnButton::Enabled);
        },
        Blocking::Wait);
}

void CBurnDlg::SetLabelFromFolder(const QString &path)
{
    ::SetLabelFromFolder(path, *this, SourceFields(), m_volumeNames);
}

void CBurnDlg::SourceFolderChosen()
{
    m_dvdCheck->Start(m_strSourceDir,
                      {static_cast<uint32_t>(m_pFsFlagsDlg->GetFsFlags()), m_bReallocate != 0, m_nMedia});
}

void CBurnDlg::ShowLabelRoom()
{
    ::ShowLabelRoom(SourceFields());
}

int CBurnDlg::BrowseForFolder(const QString &title, const QString &initialFolder, unsigned flags,
                              QString &chosen)
{
    CFilePicker picker;
    const int result = picker.BrowseFolder(title, initialFolder, flags, this);
    if (result == CFilePicker::Confirmed)
        chosen = picker.GetFolder();
    return result;
}

void CBurnDlg::OnDirectory()
{
    ::OnDirectory(*this, SourceFields());
}

void CBurnDlg::SetUpCapacityMeter()
{
    // The band is measured against the window, so the layout must have
    // placed the meter first.
    layout()->activate();
    m_ctlCapacity->SetOwner(this);
    m_ctlCapacity->LoadScale(ScaleBitmap);
}

void CBurnDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    SetUpCapacityMeter();
}

void CBurnDlg::SetMeterLimitsForMedia()
{
    const bool dvd = m_nMedia == 0;
    m_ctlCapacity->SetYellowLimit(dvd ? m_pOtherDlg->GetLimitDVD() : m_pOtherDlg->GetLimitCD());
    m_ctlCapacity->SetRedLimit(dvd ? m_pOtherDlg->GetLimitDVDRed() : m_pOtherDlg->GetLimitCDRed());
}
