#pragma once

#include <QString>

#include <functional>

class QShortcut;
class QWidget;

// The help file that goes with a language file: its name up to the last dot
// plus ".chm" in the program folder ("english.lng" -> "english.chm"), or
// "english.chm" when that file does not exist (not checked itself).
QString HelpFilePath(const QString &programFolder, const QString &languageFile);

// The HTML pages the help file is compiled from, installed beside it: the
// folder "help/<name>" of the program folder for the help file <name>.chm
// that HelpFilePath picks. Not checked for existence.
QString HelpFolderPath(const QString &programFolder, const QString &languageFile);

// The help pages about the windows that open the help at their own page.
namespace helppage {
inline constexpr auto FsFlags = "filesystem-flags.html";
inline constexpr auto OtherSettings = "other-settings.html";
inline constexpr auto Audio = "sounds.html";
inline constexpr auto Language = "language.html";
} // namespace helppage

// Opens the help for the window that asks, at a page of the help folder (an
// empty page: the start page). The main window lends it to its dialogs.
using HelpOpener = std::function<void(QWidget &asker, const QString &page)>;

// Routes the help key (F1) of a window to a handler, as the framework's help
// command is routed to the Help command.
QShortcut *RouteHelpKey(QWidget &window, std::function<void()> openHelp);
