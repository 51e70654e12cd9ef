#include "controls/CThemeApi.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

CThemeApi::CThemeApi() : CThemeApi(QApplication::style()) {}

CThemeApi::CThemeApi(QStyle *style) : m_style(style), m_bBound(style != nullptr) {}

CThemeApi::~CThemeApi() = default;

bool CThemeApi::IsAppThemed() const
{
    // A style that has since been replaced or destroyed no longer draws the
    // application, just as a switched-off visual style would not.
    return m_bBound && m_style && m_style == QApplication::style();
}

CThemeApi::ThemeHandle CThemeApi::OpenThemeData(QWidget *widget, const QString &classList) const
{
    if (!m_style || !widget)
        return nullptr;
    const bool toolbar = classList.compare(QLatin1String("TOOLBAR"), Qt::CaseInsensitive) == 0;
    if (!toolbar && classList.compare(QLatin1String("BUTTON"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return new Theme{m_style, widget, toolbar};
}

long CThemeApi::CloseThemeData(ThemeHandle theme) const
{
    if (!theme)
        return Failed;
    delete theme;
    return Ok;
}

long CThemeApi::DrawThemeParentBackground(QWidget *widget, QPainter *painter, const QRect &) const
{
    return (m_style && widget && painter) ? Ok : Failed;
}

long CThemeApi::DrawThemeBackground(ThemeHandle theme, QPainter *painter, int part, int state,
                                    const QRect &rect) const
{
    if (!theme || !theme->style || !painter || part != PushButtonPart)
        return Failed;
    QStyleOptionButton option;
    option.initFrom(theme->widget);
    option.rect = rect;
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_HasFocus);
    option.state |= QStyle::State_Raised;
    switch (state) {
    case StateDisabled:
        option.state &= ~QStyle::State_Enabled;
        break;
    case StatePressed:
        option.state |= QStyle::State_Sunken | QStyle::State_On;
        option.state &= ~QStyle::State_Raised;
        break;
    case StateHot:
        option.state |= QStyle::State_MouseOver;
        break;
    case StateDefaulted:
        option.features |= QStyleOptionButton::DefaultButton;
        break;
    default:
        break;
    }
    if (theme->toolbar) {
        theme->style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter, theme->widget);
        return Ok;
    }
    theme->style->drawControl(QStyle::CE_PushButtonBevel, &option, painter, theme->widget);
    return Ok;
}
