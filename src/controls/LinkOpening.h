#pragma once

#include <QString>
#include <QUrl>

// Opening link targets (web pages, mail links, local files) with the
// desktop's handler, and the classic result codes and texts for a target
// that cannot be opened.
namespace linkopen {

// Hands url to the desktop's handler (QDesktopServices, whose handler table
// tests fill); true when it was taken.
bool OpenUrl(const QUrl &url);

// A typed target as a URL: addresses keep their scheme, anything else is a
// local path.
QUrl TargetUrl(const QString &target);

enum : int {
    Opened = 33, // anything above 32 is success
    FileNotFound = 2,
    NoAssociation = 31,
};
// Opens a target: Opened, FileNotFound for a local file that does not
// exist, NoAssociation when nothing could open it.
int OpenTarget(const QString &target);

// "Unable to open hyperlink:" and the text for a result code.
QString ErrorText(int code);

} // namespace linkopen
