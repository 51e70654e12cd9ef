#pragma once

#include "controls/CapacityMeterLayout.h"

#include <QFont>
#include <QImage>

class QPainter;

namespace meter {

// The labels' font: 11 pixels high, the system's default face.
QFont LabelFont();

// Draws one label as the meter does: black text on an opaque white
// background, its top-left corner at `at`.
void DrawLabel(QPainter &painter, const QString &text, QPoint at);

// Composes the whole picture into surface (width by 50 pixels) from the
// scale bitmap's pieces, the bar and the labels.
void Paint(QImage &surface, const QImage &scale, const Layout &layout);

} // namespace meter
