#include "lang/HelpFile.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

QString HelpFilePath(const QString &programFolder, const QString &languageFile)
{
    const QString english = programFolder + QLatin1String("/english.chm");
    // A setting that names a path reads as no language file at all: its
    // help would lie outside the program folder.
    if (languageFile.contains(QLatin1Char('/')))
        return english;
    const qsizetype dot = languageFile.lastIndexOf(QLatin1Char('.'));
    const QString name = dot < 0 ? languageFile : languageFile.left(dot);
    const QString path = programFolder + QLatin1Char('/') + name + QLatin1String(".chm");
    if (QFileInfo(path).isFile())
        return path;
    return english;
}

QString HelpFolderPath(const QString &programFolder, const QString &languageFile)
{
    // Under "help/" rather than beside the .chm itself, so that no language
    // name can meet another folder of the program (the virtual media).
    const QString helpFile = QFileInfo(HelpFilePath(programFolder, languageFile)).fileName();
    return programFolder + QLatin1String("/help/") + helpFile.chopped(4);
}

QShortcut *RouteHelpKey(QWidget &window, std::function<void()> openHelp)
{
    auto *shortcut = new QShortcut(QKeySequence::HelpContents, &window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window, std::move(openHelp));
    return shortcut;
}
