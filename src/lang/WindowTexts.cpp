#include "lang/WindowTexts.h"

#include "controls/CIconButton.h"
#include "controls/ProgramImages.h"
#include "lang/CLanguageText.h"
#include "TextIds.h"

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
    CaptionRow{"m_grpBurn", 725},          CaptionRow{"m_grpErase", 724},
    CaptionRow{"m_grpProgress", 726},      CaptionRow{"m_grpRecorder", 723},
    CaptionRow{"m_btnReallocate", 727},    CaptionRow{"m_btnFullErase", 729},
    CaptionRow{"m_btnQuickErase", 730},    CaptionRow{"m_btnErase", 731},
    CaptionRow{"m_btnAbort", 732},         CaptionRow{"m_btnAbout", 733},
    CaptionRow{"m_btnBurn", 734},          CaptionRow{"m_btnHelp", 735},
    CaptionRow{"m_btnShutdown", 736},      CaptionRow{"m_btnDirectory", 737},
    CaptionRow{"m_btnSaveLog", 738},       CaptionRow{"m_stcDevicesLabel", 739},
    CaptionRow{"m_stcRootLabel", 740},     CaptionRow{"m_stcVolumeLabel", 741},
    CaptionRow{"m_stcSpeedLabel", 742},    CaptionRow{"m_btnQuit", 743},
    CaptionRow{"m_stcTimeLeftLabel", 744}, CaptionRow{"m_stcTimeTotalLabel", 745},
    CaptionRow{"m_stcLengthLabel", 819},   CaptionRow{"m_btnVerify", 758},
};

// In the order the buttons get theme and icon; cursors and tooltips follow
// in the same order once every icon is set.
constexpr std::array kMainIconButtons = {
    IconButtonRow{"m_btnErase", programimages::EraseIcon, 510, Caption::Keep},
    IconButtonRow{"m_btnDirectory", programimages::DirectoryIcon, 512, Caption::Keep},
    IconButtonRow{"m_btnBurn", programimages::BurnIcon, 514, Caption::Keep},
    IconButtonRow{"m_btnAbort", programimages::AbortIcon, 516, Caption::Keep},
    IconButtonRow{"m_btnHelp", programimages::HelpIcon, 518, Caption::Keep},
    IconButtonRow{"m_btnQuit", programimages::QuitIcon, 522, Caption::Keep},
    IconButtonRow{"m_btnAbout", programimages::AboutIcon, 520, Caption::Keep},
    IconButtonRow{"m_btnSaveLog", programimages::SaveLogIcon, 524, Caption::Keep},
    IconButtonRow{"m_btnSpeeds", programimages::SpeedsIcon, 526, Caption::Keep},
    IconButtonRow{"m_btnClearLog", programimages::ClearLogIcon, 722, Caption::Empty},
    IconButtonRow{"m_btnEject", programimages::EjectIcon, 830, Caption::Keep},
};

constexpr std::array kMenuItems = {
    MenuRow{40001, 747}, MenuRow{40003, 748}, MenuRow{40004, 749}, MenuRow{40002, 750}, MenuRow{40005, 814},
};

constexpr std::array kFsFlagsCaptions = {
    CaptionRow{"", 808},
    CaptionRow{"m_btnUdf", 751},
    CaptionRow{"m_btnJoliet", 752},
    CaptionRow{"m_btnIso9660", 753},
    CaptionRow{"m_btnMode2", 754},
    CaptionRow{"m_btnCancel", 761},
};

constexpr std::array kOtherCaptions = {
    CaptionRow{"", 809},
    CaptionRow{"m_btnBurnProof", 755},
    CaptionRow{"m_btnSimulate", 756},
    CaptionRow{"m_btnNoEject", 757},
    CaptionRow{"m_btnVerify", 758},
    CaptionRow{"m_btnNoOverwriteAsk", 759},
    CaptionRow{"m_btnBookType", 760},
    CaptionRow{"m_btnCancel", 761},
    CaptionRow{"m_grpMore", 821},
    CaptionRow{"m_btnForceShutdown", 822},
    CaptionRow{"m_btnLabel16", 823},
    CaptionRow{"m_btnIgnoreSize", 827},
    CaptionRow{"m_grpLimits", 828},
    CaptionRow{"m_btnReset", 829},
    CaptionRow{"m_grpYellowLimit", 831},
    CaptionRow{"m_grpRedLimit", 832},
};

constexpr std::array kAudioCaptions = {
    CaptionRow{"", 815},
    CaptionRow{"m_grpAudio", 814},
    CaptionRow{"m_btnSuccessWav", 811},
    CaptionRow{"m_btnErrorWav", 811},
    CaptionRow{"m_btnCancel", 761},
    CaptionRow{"m_stcErrorLabel", 812},
    CaptionRow{"m_stcSuccessLabel", 813},
    CaptionRow{"m_btnEnableAudio", 820},
};

constexpr std::array kAudioIconButtons = {
    IconButtonRow{"m_btnSuccessWav", programimages::WavIcon, 816, Caption::Keep},
    IconButtonRow{"m_btnErrorWav", programimages::WavIcon, 816, Caption::Keep},
    IconButtonRow{"m_btnSuccessPlay", programimages::PlayIcon, 817, Caption::Empty},
    IconButtonRow{"m_btnErrorPlay", programimages::PlayIcon, 817, Caption::Empty},
    IconButtonRow{"m_btnOk", 0, 0, Caption::Keep},
    IconButtonRow{"m_btnCancel", 0, 0, Caption::Keep},
};

constexpr std::array kLanguageCaptions = {
    CaptionRow{"", 810},
    CaptionRow{"m_grpLanguage", 762},
    CaptionRow{"m_btnCancel", 761},
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
