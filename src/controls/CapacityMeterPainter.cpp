#include "controls/CapacityMeterPainter.h"

#include <QGuiApplication>
#include <QPainter>

namespace meter {
namespace {

void PaintRuler(QPainter &painter, const QImage &scale, const Layout &layout)
{
    for (const RulerPiece &piece : layout.ruler)
        painter.drawImage(QPoint(piece.x, 0), scale, QRect(piece.sourceColumn, 0, piece.columns, Height));
}

// The bar is copied one pixel column at a time, as wide as the range is.
void PaintBar(QPainter &painter, const QImage &scale, const Step &bar)
{
    const QRect column(bar.sourceColumn, BarTop, 1, BarHeight);
    for (int x = bar.x; x < bar.endX; ++x)
        painter.drawImage(QPoint(x, BarTop), scale, column);
}

} // namespace

QFont LabelFont()
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    return font;
}

void DrawLabel(QPainter &painter, const QString &text, QPoint at)
{
    painter.setFont(LabelFont());
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QFontMetrics metrics(painter.font());
    painter.drawText(at + QPoint(0, metrics.ascent()), text);
}

void Paint(QImage &surface, const QImage &scale, const Layout &layout)
{
    QPainter painter(&surface);
    PaintRuler(painter, scale, layout);
    for (const Step &step : layout.steps) {
        if (step.kind == Step::Kind::Bar)
            PaintBar(painter, scale, step);
        else
            DrawLabel(painter, step.text, step.at);
    }
}

} // namespace meter
