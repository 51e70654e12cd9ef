#include "app/WindowSettingsPort.h"

#include "app/CBurnDlg.h"
#include "jobs/label/VolumeLabel.h"

JobSettings WindowSettingsPort::TakeJobSettings() const
{
    const CAudioDlg &audio = *m_window.m_pAudioDlg;
    const COtherSettingsDlg &other = *m_window.m_pOtherDlg;
    JobSettings settings;
    settings.fsFlags = static_cast<uint32_t>(m_window.m_pFsFlagsDlg->GetFsFlags());
    settings.burnFlags = static_cast<uint32_t>(other.GetBurnFlags());
    settings.moreFlags = static_cast<uint32_t>(other.GetMoreFlags());
    settings.sound = {audio.IsAudioEnabled() != 0, audio.GetSuccessWave(), audio.GetErrorWave()};
    settings.labelLimit = VolumeLabelLimit(other.m_bLabel16 != 0);
    settings.mediaLimitMb = m_window.m_nMedia == 0 ? other.GetLimitDVDRed() : other.GetLimitCDRed();
    settings.discChangeWaitSecs = other.GetDiscChangeWaitSecs();
    return settings;
}
