// Start-up and end of the main window.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "lang/CLanguageText.h"
#include "lang/LanguageFile.h"
#include "log/ProductInfo.h"
#include "platform/CPathHelper.h"
#include "platform/GuiThread.h"
#include "platform/StateFolders.h"
#include "platform/TextFormat.h"
#include "settings/SettingsFile.h"

#include <QPointer>

namespace {

constexpr int BurnFlagVerify = 0x400;

} // namespace

int CBurnDlg::DoModal()
{
    OnInitDialog();
    if (HasEnded())
        return EndResult();
    return exec();
}

void CBurnDlg::OnInitDialog()
{
    UpdateData(Exchange::ToControls);
    if (!m_hIcon.isNull())
        setWindowIcon(m_hIcon);
    m_strAppDir = m_pPath->GetDirectory(m_strAppDir);

    const int settingsResult = LoadSettingsAndLanguage();

    if (settingsResult >= 0 && !m_strSourceDir.isEmpty() && m_arguments.isEmpty()) {
        CheckSourceSize();
        SetLabelFromFolder(m_strSourceDir);
        SourceFolderChosen();
    }

    m_strStatus = GetText(textid::ProductLine);
    // Shown at once: the recording set-up below takes the controls back
    // into the members, which would otherwise lose the status text.
    UpdateData(Exchange::ToControls);
    if (m_pOtherDlg->GetBurnFlags() & BurnFlagVerify) {
        m_bVerify = 1;
        UpdateData(Exchange::ToControls);
    }

    SetUpCapacityMeter();
    InitRecordingForMedia();
    SetMeterLimitsForMedia();

    m_jobs.State().m_progressClock = jobs::ProgressClock();
    ShowIdleProgress();

    // A window that already ended (no recording library) starts nothing more.
    if (!m_arguments.isEmpty() && !HasEnded()) {
        AppendLogText(textid::CommandLineRun);
        emit commandLineRunRequested();
    }
    ApplyWindowTexts();
    ShowLabelRoom();
}

int CBurnDlg::LoadSettingsAndLanguage()
{
    const int settingsResult =
        LoadSettings(SettingsPath(), SettingsValues{m_jobs.State(), *m_pFsFlagsDlg, *m_pOtherDlg,
                                                    *m_pAudioDlg, m_strLangFile});
    if (settingsResult == 0)
        UpdateData(Exchange::ToControls);

    m_strLangFile = langfile::StartupFileName(m_strLangFile);
    m_pLang->SetFile(langfile::ProgramFolderFile(m_strAppDir, m_strLangFile));
    ReportStateFolders();

    if (settingsResult == SettingsUnusable) {
        m_bSettingsUnusable = true;
        AppendLog(FormatText(GetText(textid::SettingsUnusable),
                             {SettingsPath(), static_cast<long long>(MaxSettingsFileBytes)}));
    } else if (settingsResult < 0) {
        m_strText = GetText(textid::SettingsMissing);
        m_strMsg = FormatText(m_strText, {SettingsPath()});
        AppendLog(m_strMsg);
    }
    return settingsResult;
}

void CBurnDlg::InitRecordingForMedia()
{
    InitRecording(m_nMedia == 0 ? MediaSetDvd : MediaSetCd);
}

void CBurnDlg::ShowIdleProgress()
{
    setWindowTitle(FormatText(QStringLiteral("%s %s"), {ProductName, ProductVersion}));
    m_stcPercent->setText(QStringLiteral("0 %"));
    m_stcTimeLeft->setText(QStringLiteral("--:--"));
    m_stcTimeTotal->setText(QStringLiteral("--:--"));
}

QString CBurnDlg::SettingsPath() const
{
    return SettingsFilePath(StateFoldersFor(m_strAppDir).config);
}

void CBurnDlg::ReportStateFolders()
{
    // Told once the language is known; the folders were decided (and made)
    // when the settings path was first asked for.
    const StateFolders &folders = StateFoldersFor(m_strAppDir);
    for (const StateFolderProblem &problem : folders.problems) {
        using Kind = StateFolderProblem::Kind;
        switch (problem.kind) {
        case Kind::IgnoredVariable:
            m_strText = GetText(textid::IgnoredVariable);
            m_strMsg = FormatText(m_strText, {problem.variable, problem.path});
            break;
        case Kind::NoHome:
            m_strText = GetText(textid::NoHome);
            m_strMsg = FormatText(m_strText, {problem.path});
            break;
        case Kind::ConfigUnusable:
        case Kind::DataUnusable:
            m_strText =
                GetText(problem.kind == Kind::ConfigUnusable ? textid::ConfigUnusable : textid::DataUnusable);
            m_strMsg = FormatText(m_strText, {problem.path, problem.reason});
            break;
        }
        AppendLog(m_strMsg);
    }
    if (folders.createdNow) {
        m_strText = GetText(textid::StateFoldersMade);
        m_strMsg = FormatText(m_strText, {folders.config, folders.data});
        AppendLog(m_strMsg);
    }
}

void CBurnDlg::EndDialog(int result)
{
    m_nEndResult = result;
    m_bEnded = true;
    QPointer<CBurnDlg> self = this;
    RunOnGuiThread(
        [self] {
            if (self)
                self->done(self->EndResult());
        },
        Blocking::NoWait);
}

void CBurnDlg::OnCancel()
{
    // A running job owns the recorder and the disc: closing now would leave
    // the job writing through a window that is gone. An erase worker is
    // still a job while it goes on to the burn that follows the erase.
    if (m_jobs.Job().Running())
        return;
    CloseRecordingAndEnd();
}

void CBurnDlg::CloseRecordingAndEnd()
{
    DoneRecording();
    FreeCommandLineTokens();
    EndDialog(ResultCancel);
}

void CBurnDlg::FreeCommandLineTokens()
{
    for (QString &token : m_apszArgs)
        token = QString();
    m_nArgs = 0;
}
