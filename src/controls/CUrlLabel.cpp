#include "controls/CUrlLabel.h"

#include "controls/LinkOpening.h"
#include "controls/ProgramImages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

CUrlLabel::CUrlLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_Hover);
}

CUrlLabel::~CUrlLabel() = default;

void CUrlLabel::Attach()
{
    if (m_strTarget.isEmpty())
        m_strTarget = text();
    if (text().isEmpty())
        setText(m_strTarget);
    m_fontNormal = font();
    m_fontUnderlined = font();
    m_fontUnderlined.setUnderline(true);
    ApplyFont();
    FitToText();
    if (const auto hand = programimages::Cursor(programimages::HandCursor))
        setCursor(*hand);
    setToolTip(m_strTarget);
}

void CUrlLabel::SetTarget(const QString &target)
{
    m_strTarget = target;
    FitToText();
    setToolTip(m_strTarget);
}

void CUrlLabel::SetVisited(bool visited)
{
    m_bVisited = visited;
    update();
}

void CUrlLabel::SetUnderline(int mode)
{
    if (mode == m_nUnderline)
        return;
    m_nUnderline = mode;
    ApplyFont();
    update();
}

QColor CUrlLabel::CurrentColour() const
{
    if (m_bOver)
        return m_clrHover;
    return m_bVisited ? m_clrVisited : m_clrLink;
}

int CUrlLabel::Open()
{
    m_bOver = false;
    ApplyFont();
    const int result = linkopen::OpenTarget(m_strTarget);
    if (result > 32) {
        SetVisited(true);
        return result;
    }
    QApplication::beep();
    if (m_reportError)
        m_reportError(linkopen::ErrorText(result));
    update();
    return result;
}

void CUrlLabel::ApplyFont()
{
    const bool underlined = m_nUnderline == UnderlineAlways || (m_nUnderline == UnderlineHover && m_bOver);
    QFont f = m_fontNormal;
    f.setUnderline(underlined);
    setFont(f);
}

void CUrlLabel::FitToText()
{
    // Measured with the underlined font, so the underline never needs more room.
    const QSize textSize = QFontMetrics(m_fontUnderlined).size(Qt::TextSingleLine, text());
    const QMargins margins = contentsMargins();
    const QSize size(textSize.width() + margins.left() + margins.right() + 2 * frameWidth(),
                     textSize.height() + margins.top() + margins.bottom() + 2 * frameWidth());
    QRect box = geometry();
    const QPoint centre = box.center();
    const int right = box.right();
    box.setSize(size);
    if (alignment() & Qt::AlignHCenter)
        box.moveLeft(centre.x() - size.width() / 2);
    else if (alignment() & Qt::AlignRight)
        box.moveRight(right);
    if (alignment() & Qt::AlignVCenter)
        box.moveTop(centre.y() - size.height() / 2);
    setMinimumSize(size);
    setGeometry(box);
}

void CUrlLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    m_bOver = true;
    ApplyFont();
    update();
}

void CUrlLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    m_bOver = false;
    ApplyFont();
    // A wider underline may have reached past the label's right edge.
    if (parentWidget())
        parentWidget()->update(geometry().adjusted(0, 0, 10, 0));
    update();
}

void CUrlLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CUrlLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(CurrentColour());
    painter.setFont(font());
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}
