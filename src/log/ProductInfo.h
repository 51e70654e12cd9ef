#pragma once

#include <QString>

// The product name and version shown in the window title and written into
// every log file.
inline const QString ProductName = QStringLiteral("Orvane Burn");
inline const QString ProductVersion = QStringLiteral("1.2.0");
