#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace cmdline {

// "Open with" on an image: the desktop starts the program with the file as
// its one argument (the desktop file's %f). A single argument that names an
// existing regular file ending in ".iso" (any letter case) opens the window
// with that image chosen, never an unattended burn; any other arguments are
// the command line's. The image, when the arguments are one.
std::optional<QString> ImageToOpen(const QStringList &arguments);

} // namespace cmdline
