#include "lang/WindowTexts.h"

#include "TextIds.h"
#include "controls/CIconButton.h"
#include "controls/ProgramImages.h"
#include "lang/CLanguageText.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace windowtexts {

namespace {

constexpr std::array kMainCaptions = {
    CaptionRow{"m_grpBurn", textid::GroupBurn},
    CaptionRow{"m_grpErase", textid::GroupErase},
    CaptionRow{"m_grpProgress", textid::GroupProgress},
    CaptionRow{"m_grpRecorder", textid::GroupRecorder},
    CaptionRow{"m_btnReallocate", textid::ButtonReallocate},
    CaptionRow{"m_btnFullErase", textid::ButtonFullErase},
    CaptionRow{"m_btnQuickErase", textid::ButtonQuickErase},
    CaptionRow{"m_btnErase", textid::ButtonErase},
    CaptionRow{"m_btnAbort", textid::ButtonAbort},
    CaptionRow{"m_btnAbout", textid::ButtonAbout},
    CaptionRow{"m_btnBurn", textid::ButtonBurn},
    CaptionRow{"m_btnHelp", textid::ButtonHelp},
    CaptionRow{"m_btnShutdown", textid::ButtonShutdown},
    CaptionRow{"m_btnDirectory", textid::ButtonDirectory},
    CaptionRow{"m_btnImageFile", textid::ButtonImageFile},
    CaptionRow{"m_btnSaveLog", textid::ButtonSaveLog},
    CaptionRow{"m_stcDevicesLabel", textid::LabelDevices},
    CaptionRow{"m_stcRootLabel", textid::LabelRoot},
    CaptionRow{"m_stcVolumeLabel", textid::LabelVolume},
    CaptionRow{"m_stcCopiesLabel", textid::CopiesLabel},
    CaptionRow{"m_stcSpeedLabel", textid::LabelSpeed},
    CaptionRow{"m_btnQuit", textid::ButtonQuit},
    CaptionRow{"m_stcTimeLeftLabel", textid::LabelTimeLeft},
    CaptionRow{"m_stcTimeTotalLabel", textid::LabelTimeTotal},
    CaptionRow{"m_stcLengthLabel", textid::LabelCharactersLeft},
    CaptionRow{"m_btnVerify", textid::ButtonVerify},
};

// In the order the buttons get theme and icon; cursors and tooltips follow
// in the same order once every icon is set.
constexpr std::array kMainIconButtons = {
    IconButtonRow{"m_btnErase", programimages::EraseIcon, textid::TipErase, Caption::Keep},
    IconButtonRow{"m_btnDirectory", programimages::DirectoryIcon, textid::TipDirectory, Caption::Keep},
    IconButtonRow{"m_btnBurn", programimages::BurnIcon, textid::TipBurn, Caption::Keep},
    IconButtonRow{"m_btnAbort", programimages::AbortIcon, textid::TipAbort, Caption::Keep},
    IconButtonRow{"m_btnHelp", programimages::HelpIcon, textid::TipHelp, Caption::Keep},
    IconButtonRow{"m_btnQuit", programimages::QuitIcon, textid::TipQuit, Caption::Keep},
    IconButtonRow{"m_btnAbout", programimages::AboutIcon, textid::TipAbout, Caption::Keep},
    IconButtonRow{"m_btnSaveLog", programimages::SaveLogIcon, textid::TipSaveLog, Caption::Keep},
    IconButtonRow{"m_btnSpeeds", programimages::SpeedsIcon, textid::TipSpeeds, Caption::Keep},
    IconButtonRow{"m_btnClearLog", programimages::ClearLogIcon, textid::TipClearLog, Caption::Empty},
    IconButtonRow{"m_btnEject", programimages::EjectIcon, textid::TipEject, Caption::Keep},
};

constexpr std::array kMenuItems = {
    MenuRow{40001, textid::MenuFilesystemFlags}, MenuRow{40003, textid::MenuOtherSettings},
    MenuRow{40004, textid::MenuLanguage},        MenuRow{40002, textid::MenuSaveSettings},
    MenuRow{40005, textid::MenuAudio},
};

constexpr std::array kFsFlagsCaptions = {
    CaptionRow{"", textid::CaptionFilesystemFlags},  CaptionRow{"m_btnUdf", textid::ButtonUdf},
    CaptionRow{"m_btnJoliet", textid::ButtonJoliet}, CaptionRow{"m_btnIso9660", textid::ButtonIso9660},
    CaptionRow{"m_btnMode2", textid::ButtonMode2},   CaptionRow{"m_btnCancel", textid::ButtonCancel},
};

constexpr std::array kOtherCaptions = {
    CaptionRow{"", textid::CaptionOtherSettings},
    CaptionRow{"m_btnBurnProof", textid::ButtonBurnProof},
    CaptionRow{"m_btnSimulate", textid::ButtonSimulate},
    CaptionRow{"m_btnNoEject", textid::ButtonNoEject},
    CaptionRow{"m_btnVerify", textid::ButtonVerify},
    CaptionRow{"m_btnNoOverwriteAsk", textid::ButtonNoOverwriteAsk},
    CaptionRow{"m_btnBookType", textid::ButtonBookType},
    CaptionRow{"m_btnCancel", textid::ButtonCancel},
    CaptionRow{"m_grpMore", textid::GroupMoreSettings},
    CaptionRow{"m_btnForceShutdown", textid::ButtonShutdownOnFailure},
    CaptionRow{"m_btnLabel16", textid::ButtonShortLabel},
    CaptionRow{"m_btnIgnoreSize", textid::ButtonIgnoreSize},
    CaptionRow{"m_grpLimits", textid::GroupSizeLimits},
    CaptionRow{"m_btnReset", textid::ButtonReset},
    CaptionRow{"m_grpYellowLimit", textid::LabelYellowLimit},
    CaptionRow{"m_grpRedLimit", textid::LabelRedLimit},
};

constexpr std::array kAudioCaptions = {
    CaptionRow{"", textid::CaptionSounds},
    CaptionRow{"m_grpAudio", textid::MenuAudio},
    CaptionRow{"m_btnSuccessWav", textid::ButtonChoose},
    CaptionRow{"m_btnErrorWav", textid::ButtonChoose},
    CaptionRow{"m_btnCancel", textid::ButtonCancel},
    CaptionRow{"m_stcErrorLabel", textid::LabelErrorSound},
    CaptionRow{"m_stcSuccessLabel", textid::LabelSuccessSound},
    CaptionRow{"m_btnEnableAudio", textid::ButtonEnableSounds},
};

constexpr std::array kAudioIconButtons = {
    IconButtonRow{"m_btnSuccessWav", programimages::WavIcon, textid::SoundPickerTitle, Caption::Keep},
    IconButtonRow{"m_btnErrorWav", programimages::WavIcon, textid::SoundPickerTitle, Caption::Keep},
    IconButtonRow{"m_btnSuccessPlay", programimages::PlayIcon, textid::TipPlaySound, Caption::Empty},
    IconButtonRow{"m_btnErrorPlay", programimages::PlayIcon, textid::TipPlaySound, Caption::Empty},
    IconButtonRow{"m_btnOk", 0, 0, Caption::Keep},
    IconButtonRow{"m_btnCancel", 0, 0, Caption::Keep},
};

constexpr std::array kLanguageCaptions = {
    CaptionRow{"", textid::CaptionLanguage},
    CaptionRow{"m_grpLanguage", textid::ChooseLanguage},
    CaptionRow{"m_btnCancel", textid::ButtonCancel},
};

void SetCaption(QWidget &window, const char *name, const QString &text)
{
    if (!*name) {
        window.setWindowTitle(text);
        return;
    }
    QWidget *control = window.findChild<QWidget *>(QLatin1String(name));
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(control))
        group->setTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
}

QAction *FindCommand(QMenu &menu, int commandId)
{
    for (QAction *action : menu.actions()) {
        if (action->property("commandId").toInt() == commandId)
            return action;
    }
    return nullptr;
}

} // namespace

std::span<const CaptionRow> MainWindowCaptions()
{
    return kMainCaptions;
}
std::span<const IconButtonRow> MainWindowIconButtons()
{
    return kMainIconButtons;
}
std::span<const MenuRow> SettingsMenuItems()
{
    return kMenuItems;
}
std::span<const CaptionRow> FsFlagsCaptions()
{
    return kFsFlagsCaptions;
}
std::span<const CaptionRow> OtherSettingsCaptions()
{
    return kOtherCaptions;
}
std::span<const CaptionRow> AudioCaptions()
{
    return kAudioCaptions;
}
std::span<const IconButtonRow> AudioIconButtons()
{
    return kAudioIconButtons;
}
std::span<const CaptionRow> LanguageCaptions()
{
    return kLanguageCaptions;
}

void ApplyCaptions(QWidget &window, std::span<const CaptionRow> rows, const CLanguageText &texts)
{
    for (const CaptionRow &row : rows)
        SetCaption(window, row.objectName, texts.GetText(row.textId));
}

void BindTheme(QWidget &window, std::initializer_list<const char *> buttons, CThemeApi &theme)
{
    for (const char *name : buttons) {
        if (auto *button = window.findChild<CIconButton *>(QLatin1String(name)))
            button->BindTheme(&theme);
    }
}

void ApplyIconButtons(QWidget &window, std::span<const IconButtonRow> rows, const CLanguageText &texts,
                      CThemeApi &theme)
{
    std::vector<CIconButton *> buttons;
    for (const IconButtonRow &row : rows)
        buttons.push_back(window.findChild<CIconButton *>(QLatin1String(row.objectName)));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!buttons[i])
            continue;
        buttons[i]->BindTheme(&theme);
        if (rows[i].iconId)
            buttons[i]->LoadIconImage(rows[i].iconId);
        if (rows[i].caption == Caption::Empty)
            buttons[i]->setText(QString());
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (buttons[i] && rows[i].iconId)
            buttons[i]->SetHoverCursor(programimages::HandCursor, true);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!buttons[i] || !rows[i].tipId)
            continue;
        // A text missing from the language file empties the tooltip rather
        // than leaving the previous language's one in place.
        const QString tip = texts.GetText(rows[i].tipId);
        buttons[i]->SetTip(tip.isNull() ? QStringLiteral("") : tip, true);
    }
}

} // namespace windowtexts

void SetupIconButtons(QWidget &mainWindow, const CLanguageText &texts, CThemeApi &theme)
{
    windowtexts::ApplyIconButtons(mainWindow, windowtexts::MainWindowIconButtons(), texts, theme);
}

void ApplyWindowTexts(QWidget &mainWindow, const CLanguageText &texts, CThemeApi &theme)
{
    using namespace windowtexts;
    ApplyCaptions(mainWindow, MainWindowCaptions(), texts);
    if (auto *menuBar = mainWindow.findChild<QMenuBar *>()) {
        const QList<QAction *> entries = menuBar->actions();
        if (!entries.isEmpty()) {
            entries.first()->setText(texts.GetText(textid::MenuSettings));
            if (QMenu *dropDown = entries.first()->menu()) {
                for (const MenuRow &row : SettingsMenuItems()) {
                    if (QAction *item = FindCommand(*dropDown, row.commandId))
                        item->setText(texts.GetText(row.textId));
                }
            }
        }
        menuBar->update();
    }
    SetupIconButtons(mainWindow, texts, theme);
}
