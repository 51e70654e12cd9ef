#include "controls/CThemedIconButton.h"

#include "controls/CThemeApi.h"

CThemedIconButton::CThemedIconButton(QWidget *parent) : CIconButton(parent) {}

bool CThemedIconButton::IsDrawnThemed() const
{
    return Theme() && Theme()->IsAppThemed();
}

int CThemedIconButton::ThemeState() const
{
    if (IsDisabledNow())
        return CThemeApi::StateDisabled;
    if (IsPressedNow())
        return CThemeApi::StatePressed;
    if (IsHovered())
        return CThemeApi::StateHot;
    if (isDefault())
        return CThemeApi::StateDefaulted;
    return CThemeApi::StateNormal;
}

void CThemedIconButton::PaintBackground(QPainter &painter, const QRect &rect)
{
    if (IsDrawnThemed()) {
        CThemeApi *theme = Theme();
        if (CThemeApi::ThemeHandle themeData = theme->OpenThemeData(this, QStringLiteral("BUTTON"))) {
            theme->DrawThemeParentBackground(this, &painter, rect);
            theme->DrawThemeBackground(themeData, &painter, CThemeApi::PushButtonPart, ThemeState(), rect);
            theme->CloseThemeData(themeData);
            return;
        }
    }
    PaintPlainBackground(painter, rect);
}

void CThemedIconButton::PaintBorder(QPainter &painter, const QRect &rect)
{
    if (!IsDrawnThemed())
        PaintPlainBorder(painter, rect);
}
