#pragma once

#include "version/ProductVersion.h"

#include <QString>

// The product name and version shown in the window title and written into
// every log file.
inline const QString ProductName = QStringLiteral(ORVANE_PRODUCT_NAME);
inline const QString ProductVersion = QStringLiteral(ORVANE_PRODUCT_VERSION);
