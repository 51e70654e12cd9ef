#include "controls/CIconButton.h"

#include "controls/CThemeApi.h"
#include "controls/IconButtonLayout.h"
#include "controls/LinkOpening.h"
#include "controls/ProgramImages.h"

#include <QApplication>
#include <QBitmap>
#include <QEnterEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

CIconButton::CIconButton(QWidget *parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
    ResetColours(false);
    connect(this, &QAbstractButton::clicked, this, &CIconButton::OnClicked);
}

CIconButton::~CIconButton() = default;

void CIconButton::LoadIconImage(int iconId)
{
    SetIconImage(programimages::Image(iconId, palette().color(QPalette::ButtonText)));
}

void CIconButton::SetIconImage(const QPixmap &icon)
{
    m_icon = icon;
    m_bitmap = QPixmap();
    updateGeometry();
    update();
}

int CIconButton::LoadBitmapImage(int bitmapId, const QColor &transparent)
{
    return SetBitmapImage(programimages::Image(bitmapId, palette().color(QPalette::ButtonText)), transparent);
}

int CIconButton::SetBitmapImage(const QPixmap &bitmap, const QColor &transparent)
{
    m_icon = QPixmap();
    m_bitmap = QPixmap();
    if (bitmap.isNull() || bitmap.size().isEmpty()) {
        update();
        return NoImageSize;
    }
    QPixmap image = bitmap;
    if (transparent.isValid()) {
        const QBitmap mask = image.createMaskFromColor(transparent, Qt::MaskInColor);
        if (mask.isNull()) {
            update();
            return NoMask;
        }
        // Keep whatever transparency the image already has as well.
        QBitmap combined = image.hasAlphaChannel() ? QBitmap(image.mask()) : QBitmap();
        if (combined.isNull()) {
            image.setMask(mask);
        } else {
            QPainter painter(&combined);
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            painter.drawPixmap(0, 0, mask);
            painter.end();
            image.setMask(combined);
        }
    }
    m_bitmap = image;
    updateGeometry();
    update();
    return Done;
}

int CIconButton::SetHoverCursor(int cursorId, bool repaint)
{
    m_hoverCursor = cursorId == 0 ? std::nullopt : programimages::Cursor(cursorId);
    if (m_hoverCursor)
        setCursor(*m_hoverCursor);
    else
        unsetCursor();
    if (repaint)
        update();
    return (cursorId != 0 && !m_hoverCursor) ? NoCursor : Done;
}

void CIconButton::SetTip(const QString &text, bool activate)
{
    if (!text.isNull())
        m_strTip = text;
    m_bTipActive = activate;
    setToolTip(m_bTipActive ? m_strTip : QString());
}

void CIconButton::SetLinkTarget(const QString &target)
{
    m_strLink = target.left(MaxLinkLength);
}

void CIconButton::FitToImage()
{
    const QSize image = ImageSize();
    if (image.isEmpty())
        return;
    // No move and no redraw: only the size changes.
    setFixedSize(image);
    m_ptImageMargins = QPoint(0, 0);
}

void CIconButton::ResetColours(bool repaint)
{
    const QPalette &pal = palette();
    m_clrHotBack = m_clrFocusBack = m_clrBack = pal.color(QPalette::Button);
    m_clrHotText = m_clrFocusText = m_clrText = pal.color(QPalette::ButtonText);
    if (repaint)
        update();
}

void CIconButton::BindTheme(CThemeApi *theme)
{
    m_pTheme = theme;
    if (theme && theme->IsAppThemed())
        return;
    m_bHoverBorder = true;
}

QSize CIconButton::ImageSize() const
{
    if (!m_icon.isNull())
        return m_icon.deviceIndependentSize().toSize();
    if (!m_bitmap.isNull())
        return m_bitmap.deviceIndependentSize().toSize();
    return {};
}

QSize CIconButton::sizeHint() const
{
    const QSize image = ImageSize();
    const QFontMetrics metrics(font());
    const QSize textSize = text().isEmpty() ? QSize() : metrics.size(Qt::TextShowMnemonic, text());
    const int width =
        image.width() + textSize.width() + 2 * m_ptImageMargins.x() + (textSize.isEmpty() ? 0 : 12);
    const int height = std::max(image.height(), textSize.height()) + 2 * m_ptImageMargins.y() + 4;
    return QSize(std::max(width, 24), std::max(height, 24));
}

QSize CIconButton::minimumSizeHint() const
{
    return sizeHint();
}

void CIconButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_bPressed = isDown();
    m_bFocused = hasFocus();
    m_bDisabled = !isEnabled();
    const QRect client = rect();
    PaintBackground(painter, client);
    PaintBorder(painter, client);
    const IconButtonLayout layout = LayoutIconButton(client, ImageSize(), !text().isEmpty(), m_ptImageMargins,
                                                     m_ptPressOffset, m_bPressed);
    if (!m_icon.isNull())
        PaintIcon(painter, layout.image);
    if (!m_bitmap.isNull())
        PaintBitmap(painter, layout.image);
    if (!text().isEmpty())
        PaintCaption(painter, layout.caption);
    if (m_bFocused && !m_bFlat) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = client.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CIconButton::PaintBackground(QPainter &painter, const QRect &rect)
{
    PaintPlainBackground(painter, rect);
}

void CIconButton::PaintBorder(QPainter &painter, const QRect &rect)
{
    PaintPlainBorder(painter, rect);
}

void CIconButton::PaintPlainBackground(QPainter &painter, const QRect &rect)
{
    QRect face = rect;
    if (!m_bFlat && (m_bFocused || isDefault())) {
        painter.setPen(Qt::black);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }
    painter.fillRect(face, BackgroundColour());
}

void CIconButton::PaintPlainBorder(QPainter &painter, const QRect &rect)
{
    const QPalette &pal = palette();
    const QRect r = rect.adjusted(0, 0, -1, -1);
    auto edge = [&](const QRect &box, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    if (m_bPressed) {
        if (!m_bFlat) {
            painter.setPen(pal.color(QPalette::Dark));
            painter.drawRect(r);
        } else if (m_bHoverBorder) {
            edge(r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
        }
        return;
    }
    if (!m_bFlat) {
        edge(r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        edge(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
    } else if (m_bHovered && m_bHoverBorder) {
        edge(r, pal.color(QPalette::Light), pal.color(QPalette::Dark));
    }
}

void CIconButton::PaintIcon(QPainter &painter, const QRect &rect)
{
    if (!m_bDisabled) {
        painter.drawPixmap(rect, m_icon);
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    painter.drawPixmap(rect, style()->generatedIconPixmap(QIcon::Disabled, m_icon, &option));
}

void CIconButton::PaintBitmap(QPainter &painter, const QRect &rect)
{
    if (!m_bDisabled) {
        painter.drawPixmap(rect, m_bitmap);
        return;
    }
    // Composed on white first, as the greyed image is derived from an opaque one.
    QPixmap onWhite(m_bitmap.size());
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawPixmap(0, 0, m_bitmap);
    QStyleOption option;
    option.initFrom(this);
    painter.drawPixmap(rect, style()->generatedIconPixmap(QIcon::Disabled, onWhite, &option));
}

void CIconButton::PaintCaption(QPainter &painter, const QRect &rect)
{
    QRect area = rect;
    if (m_bPressed)
        area.translate(m_ptPressOffset);
    const QRect block = painter.fontMetrics().boundingRect(area, kCaptionFlags, text());
    QRect centred = block;
    centred.moveCenter(area.center());
    if (m_bDisabled) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(centred.translated(1, 1), kCaptionFlags, text());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(centred, kCaptionFlags, text());
        return;
    }
    painter.setPen(TextColour());
    painter.drawText(centred, kCaptionFlags, text());
}

QColor CIconButton::BackgroundColour() const
{
    if (m_bHovered || m_bPressed)
        return m_clrHotBack;
    return m_bFocused ? m_clrFocusBack : m_clrBack;
}

QColor CIconButton::TextColour() const
{
    if (m_bHovered || m_bPressed)
        return m_clrHotText;
    return m_bFocused ? m_clrFocusText : m_clrText;
}

void CIconButton::SetHovered(bool hovered)
{
    if (m_bHovered == hovered)
        return;
    m_bHovered = hovered;
    update();
}

void CIconButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    if (!m_bFlat || !isEnabled())
        return;
    // A drag that started elsewhere does not light the button up.
    if ((QApplication::mouseButtons() & Qt::LeftButton) && !m_bHovered)
        return;
    if (m_bTrackAlways || QApplication::activeWindow())
        SetHovered(true);
}

void CIconButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    if (m_bFlat)
        SetHovered(false);
}

void CIconButton::focusOutEvent(QFocusEvent *event)
{
    QPushButton::focusOutEvent(event);
    if (m_bFlat)
        SetHovered(false);
}

void CIconButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            SetHovered(false);
            MoveFocusOn();
        }
        break;
    case QEvent::ActivationChange:
        if (m_bFlat && !m_bTrackAlways)
            SetHovered(false);
        break;
    case QEvent::PaletteChange:
        ResetColours(true);
        break;
    default:
        break;
    }
}

void CIconButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is an ordinary press, so two quick
    // clicks are two clicks.
    mousePressEvent(event);
}

void CIconButton::MoveFocusOn()
{
    QWidget *top = window();
    for (QWidget *next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
        if (next->window() == top && next->isEnabled() && next->isVisibleTo(top) &&
            (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    if (parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void CIconButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    // No error interface: a link that cannot be opened shows nothing.
    if (!m_strLink.isEmpty())
        linkopen::OpenUrl(linkopen::TargetUrl(m_strLink));
}
