#pragma once

#include "controls/LinkOpening.h"

#include <QString>

#include <functional>

class QShortcut;
class QWidget;

// The help file that goes with a language file: its name up to the last dot
// plus ".chm" in the program folder ("english.lng" -> "english.chm"), or
// "english.chm" when that file does not exist (not checked itself).
QString HelpFilePath(const QString &programFolder, const QString &languageFile);

// Opens the help file with the desktop's handler for it (or the given
// opener). Nothing is reported when it cannot be opened.
void OpenHelp(const QString &programFolder, const QString &languageFile, const linkopen::Opener &opener = {});

// Routes the help key (F1) of a window to a handler, as the framework's help
// command is routed to the Help command.
QShortcut *RouteHelpKey(QWidget &window, std::function<void()> openHelp);
