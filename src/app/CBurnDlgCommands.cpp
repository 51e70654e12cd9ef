// Commands of the main window that are its own: Save Log, Abort, Save
// Settings.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "controls/CAboutDlg.h"
#include "lang/CLanguageText.h"
#include "lang/HelpWindow.h"
#include "lang/LanguageCommand.h"
#include "lang/WindowTexts.h"
#include "log/LogFile.h"
#include "platform/CFilePicker.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "settings/SettingsFile.h"

namespace {

constexpr int BurnFlagVerify = 0x400;

// Runs a settings dialog; when it was closed with OK, its change flag is
// cleared and the settings are saved.
template <typename Dialog> bool RunSettingsDialog(Dialog &dialog, const QWidget &owner)
{
    dialog.adjustSize();
    dialog.move(owner.frameGeometry().center() - dialog.rect().center());
    dialog.exec();
    if (dialog.m_bChanged == 0)
        return false;
    dialog.m_bChanged = 0;
    return true;
}

} // namespace

void CBurnDlg::OnSaveLog()
{
    m_strStatus = QStringLiteral("Saving Log...");
    UpdateData(Exchange::ToControls);
    CFilePicker picker(CFilePicker::Save, QString(), m_strVolume + QStringLiteral(".log"), 0,
                       CFilePicker::LogFilters(), this);
    if (picker.Run() == CFilePicker::Confirmed)
        WriteLogFile(static_cast<int>(LogFileKind::SavedByUser), picker.GetPath());
    else
        m_strStatus = QStringLiteral("Break...");
    UpdateData(Exchange::ToControls);
}

void CBurnDlg::OnAbort()
{
    const int answer = ShowMessageBox(GetText(textid::AbortQuestion), GetText(textid::AbortCaption),
                                      mb::YesNo | mb::IconQuestion);
    if (answer == mb::IdYes)
        m_bAbort = 1;
}

void CBurnDlg::OnSaveSettings()
{
    UpdateData(Exchange::FromControls);
    if (m_bSettingsUnusable) {
        // Whatever the unread file holds stays, beside the new one.
        const QString aside = SetUnusableSettingsAside(SettingsPath());
        if (aside.isEmpty()) {
            m_strStatus = GetText(textid::SettingsNotSaved);
            UpdateData(Exchange::ToControls);
            return;
        }
        m_bSettingsUnusable = false;
        AppendLog(FormatText(GetText(textid::SettingsKeptAside), {aside}));
    }
    const SaveSettingsResult result = SaveSettings(
        SettingsPath(),
        SettingsValues{m_jobs.State(), *m_pFsFlagsDlg, *m_pOtherDlg, *m_pAudioDlg, m_strLangFile},
        m_cmbDevice->currentText(), *m_pLang);
    m_strStatus = result.statusText;
    UpdateData(Exchange::ToControls);
}

void CBurnDlg::OnAbout()
{
    m_strStatus = GetText(textid::AboutStatus);
    UpdateData(Exchange::ToControls);
    CAboutDlg about([this](int id) { return GetText(id); }, this);
    about.exec();
    m_strStatus = GetText(textid::StatusReady);
    UpdateData(Exchange::ToControls);
}

void CBurnDlg::OnHelp()
{
    OpenHelpFor(*this, QString());
}

void CBurnDlg::OpenHelpFor(QWidget &asker, const QString &page)
{
    ShowHelp(asker, *m_pLang, m_strAppDir, m_strLangFile, page);
}

void CBurnDlg::OnFsFlags()
{
    if (RunSettingsDialog(*m_pFsFlagsDlg, *this))
        OnSaveSettings();
}

void CBurnDlg::OnOtherSettings()
{
    const bool changed = RunSettingsDialog(*m_pOtherDlg, *this);
    ShowLabelRoom();
    if (changed)
        OnSaveSettings();
    m_bVerify = (m_pOtherDlg->GetBurnFlags() & BurnFlagVerify) != 0 ? 1 : 0;
    UpdateData(Exchange::ToControls);
    CheckSourceSize();
}

void CBurnDlg::OnAudio()
{
    if (RunSettingsDialog(*m_pAudioDlg, *this))
        OnSaveSettings();
}

void CBurnDlg::OnLanguage()
{
    LanguageCommandWindow window;
    window.owner = this;
    window.texts = m_pLang.get();
    window.programFolder = m_strAppDir;
    window.language = &m_strLangFile;
    window.applyWindowTexts = [this] { ApplyWindowTexts(); };
    window.saveSettings = [this] { OnSaveSettings(); };
    window.openHelp = [this](QWidget &asker, const QString &page) { OpenHelpFor(asker, page); };
    RunLanguageCommand(window);
}

void CBurnDlg::ApplyWindowTexts()
{
    ::ApplyWindowTexts(*this, *m_pLang, m_theme);
    UpdateData(Exchange::ToControls);
}
