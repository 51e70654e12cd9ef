#include "controls/CCapacityMeter.h"

#include "controls/CapacityMeterLayout.h"
#include "controls/CapacityMeterPainter.h"

#include <QPainter>

// The scale bitmap lives in this library's resources; a static library's
// resources must be registered before first use. Outside any namespace, as
// the registration function it names is global.
static void RegisterMeterResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(capacity_meter);
        return true;
    }();
    Q_UNUSED(registered);
}

CCapacityMeter::CCapacityMeter(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every paint covers the control
}

void CCapacityMeter::SetOwner(QWidget *owner)
{
    m_pOwner = owner;
}

int CCapacityMeter::LoadScale(int bitmapId)
{
    m_surface = QImage();
    m_scale = QImage();
    RegisterMeterResources();

    const int left = mapToGlobal(QPoint(0, 0)).x();
    if (m_pOwner != nullptr) {
        const int ownerLeft = m_pOwner->mapToGlobal(QPoint(0, 0)).x();
        m_nWidth = 2 * ownerLeft + m_pOwner->width() - 2 * left;
    } else {
        m_nWidth = width();
    }
    const QImage scale(QStringLiteral(":/bitmaps/%1.bmp").arg(bitmapId));
    if (scale.isNull() || m_nWidth <= 0)
        return 1;
    m_scale = scale.convertToFormat(QImage::Format_RGB32);
    m_surface = QImage(m_nWidth, meter::Height, QImage::Format_RGB32);
    // Only the height is fixed: a fixed width would hold the owner at the
    // width it had when the band was measured, so it could never shrink.
    // In a layout the control gets the band's width from the layout;
    // LoadScale runs again whenever the owner's width changes.
    setFixedHeight(meter::Height);
    resize(m_nWidth, meter::Height);
    updateGeometry();
    update();
    return 0;
}

void CCapacityMeter::SetYellowLimit(int megabytes)
{
    m_nYellow = megabytes;
}

void CCapacityMeter::SetRedLimit(int megabytes)
{
    m_nRed = megabytes;
}

void CCapacityMeter::SetSize(int megabytes)
{
    m_nSize = megabytes;
    if (megabytes == 0)
        Reset();
    else
        update();
}

void CCapacityMeter::Reset()
{
    m_nYellow = 0;
    m_nRed = 0;
    update();
}

QImage CCapacityMeter::Picture()
{
    if (!m_surface.isNull())
        meter::Paint(m_surface, m_scale, meter::LayOut(m_nWidth, m_nYellow, m_nRed, m_nSize));
    return m_surface;
}

QSize CCapacityMeter::sizeHint() const
{
    return m_nWidth > 0 ? QSize(m_nWidth, meter::Height) : minimumSizeHint();
}

QSize CCapacityMeter::minimumSizeHint() const
{
    return {ScaleBitmapWidth, meter::Height};
}

void CCapacityMeter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage picture = Picture();
    if (picture.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(QPoint(0, 0), picture);
}
