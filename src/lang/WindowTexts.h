#pragma once

#include <QString>

#include <span>

class CLanguageText;
class CThemeApi;
class QWidget;

// Which text each control, menu item and tooltip of a window shows, and which
// icon each icon button carries. Controls are found by their objectName (the
// window member they are bound to); a window's own caption is addressed by
// an empty name. Menu items are found by their "commandId" property.
namespace windowtexts {

struct CaptionRow
{
    const char *objectName; // "" for the window caption
    int textId;
};

// How an icon button's caption is treated after its icon is set.
enum class Caption { Keep, Empty };

struct IconButtonRow
{
    const char *objectName;
    int iconId;
    int tipId; // 0: no tooltip
    Caption caption;
};

struct MenuRow
{
    int commandId;
    int textId;
};

// The main window.
std::span<const CaptionRow> MainWindowCaptions();
std::span<const IconButtonRow> MainWindowIconButtons();
std::span<const MenuRow> SettingsMenuItems();

// The dialogs, each applied when the dialog opens.
std::span<const CaptionRow> FsFlagsCaptions();
std::span<const CaptionRow> OtherSettingsCaptions();
std::span<const CaptionRow> AudioCaptions();
std::span<const IconButtonRow> AudioIconButtons();
std::span<const CaptionRow> LanguageCaptions();

// Sets the caption of the named control (button, group box, label, or the
// window itself for an empty name) to the looked-up text. Rows naming a
// control the window does not have are skipped.
void ApplyCaptions(QWidget &window, std::span<const CaptionRow> rows, const CLanguageText &texts);
// Binds each named icon button to the theme, gives it its icon (emptying its
// caption where the row says so) and the hover cursor, then sets the tooltips.
void ApplyIconButtons(QWidget &window, std::span<const IconButtonRow> rows, const CLanguageText &texts,
                      CThemeApi &theme);
// Binds the named icon buttons to the theme.
void BindTheme(QWidget &window, std::initializer_list<const char *> buttons, CThemeApi &theme);

} // namespace windowtexts

// The main window's texts: its captions, the Settings menu and its items,
// then the icon buttons (SetupIconButtons). The caller then moves its
// members to the controls, which also refreshes the status line.
void ApplyWindowTexts(QWidget &mainWindow, const CLanguageText &texts, CThemeApi &theme);
// The main window's eleven icon buttons: theme, icon, hover cursor, tooltip.
void SetupIconButtons(QWidget &mainWindow, const CLanguageText &texts, CThemeApi &theme);
