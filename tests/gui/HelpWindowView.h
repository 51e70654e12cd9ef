#pragma once

#include "lang/HelpWindow.h"

#include <QLabel>
#include <QTextBrowser>

// What the help window shows, read off its widgets as a user sees them.

// The file name of the page shown.
inline QString PageShown(const HelpWindow &window)
{
    return window.findChild<QTextBrowser *>()->source().fileName();
}

// The line that names a missing page; empty while it is hidden.
inline QString MissingPageLine(const HelpWindow &window)
{
    const auto *line = window.findChild<QLabel *>(QStringLiteral("m_stcMissing"));
    return line->isHidden() ? QString() : line->text();
}
