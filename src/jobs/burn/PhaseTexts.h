#pragma once

#include <QString>

#include <functional>

namespace jobs {

// The recording library names its phases in English ("Writing the disc").
// The ones it is known to use are shown in the window's language; any other
// text, a newer library's for one, is shown as the library gave it.
QString PhaseText(const QString &libraryText, const std::function<QString(int textId)> &text);

} // namespace jobs
