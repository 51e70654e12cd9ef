#pragma once

#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include <optional>

// The program's images by their resource numbers: button icons, the About
// box's bitmaps, the hover cursor and the window icon. Single-colour
// ("symbolic") images are tinted with the given colour, so they follow the
// button text colour of the style.
namespace programimages {

enum : int {
    AppIcon = 102,
    AboutPicture = 104,
    DirectoryIcon = 107,
    BurnIcon = 108,
    HandCursor = 109,
    QuitIcon = 110,
    AbortIcon = 111,
    HelpIcon = 112,
    AboutIcon = 113,
    SaveLogIcon = 116,
    EraseIcon = 119,
    SpeedsIcon = 120,
    DonationBitmap = 751,
    ClearLogIcon = 754,
    WavIcon = 5003,
    PlayIcon = 5005,
    EjectIcon = 5008,
};

// An icon or bitmap resource; a null pixmap for an unknown number.
QPixmap Image(int id, const QColor &tint = QColor());
// A cursor resource: 109 is the pointing hand; nothing for other numbers.
std::optional<QCursor> Cursor(int id);
// The window and desktop icon.
QIcon WindowIcon();

} // namespace programimages
