#include "lang/HelpFile.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

QString HelpFilePath(const QString &programFolder, const QString &languageFile)
{
    const qsizetype dot = languageFile.lastIndexOf(QLatin1Char('.'));
    const QString name = dot < 0 ? languageFile : languageFile.left(dot);
    const QString path = programFolder + QLatin1Char('/') + name + QLatin1String(".chm");
    if (QFileInfo(path).isFile())
        return path;
    return programFolder + QLatin1String("/english.chm");
}

void OpenHelp(const QString &programFolder, const QString &languageFile, const linkopen::Opener &opener)
{
    const QUrl url = QUrl::fromLocalFile(HelpFilePath(programFolder, languageFile));
    if (opener)
        opener(url);
    else
        linkopen::OpenUrl(url);
}

QShortcut *RouteHelpKey(QWidget &window, std::function<void()> openHelp)
{
    auto *shortcut = new QShortcut(QKeySequence::HelpContents, &window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window, std::move(openHelp));
    return shortcut;
}
