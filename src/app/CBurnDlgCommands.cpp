// Commands of the main window that are its own: Save Log, Abort, Save
// Settings.
#include "app/CBurnDlg.h"

#include "lang/CLanguageText.h"
#include "log/LogFile.h"
#include "platform/CFilePicker.h"
#include "platform/MessageBoxType.h"
#include "settings/SettingsFile.h"

namespace {

enum : int {
    TextAbortCaption = 824,
    TextAbortQuestion = 825,
};

} // namespace

void CBurnDlg::OnSaveLog()
{
    m_strStatus = QStringLiteral("Saving Log...");
    UpdateData(false);
    CFilePicker picker(CFilePicker::Save, QString(), m_strVolume + QStringLiteral(".log"), 0,
                       CFilePicker::LogFilters(), this);
    if (picker.Run() == CFilePicker::Confirmed)
        WriteLogFile(static_cast<int>(LogFileKind::SavedByUser), picker.GetPath());
    else
        m_strStatus = QStringLiteral("Break...");
    UpdateData(false);
}

void CBurnDlg::OnAbort()
{
    const int answer = ShowMessageBox(GetText(TextAbortQuestion), GetText(TextAbortCaption),
                                      mb::YesNo | mb::IconQuestion);
    if (answer == mb::IdYes)
        m_bAbort = 1;
}

void CBurnDlg::OnSaveSettings()
{
    UpdateData(true);
    const SaveSettingsResult result
        = SaveSettings(SettingsPath(), SettingsValues{*this, *m_pFsFlagsDlg, *m_pOtherDlg, *m_pAudioDlg},
                       m_cmbDevice->currentText(), *m_pLang);
    m_strStatus = result.statusText;
    UpdateData(false);
}
