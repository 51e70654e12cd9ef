#pragma once

#include <QPointer>
#include <QString>

class QPainter;
class QRect;
class QStyle;
class QWidget;

// Access to the visual style the icon buttons draw their faces with. On this
// platform the "theme" is the application's Qt style; a binding made without
// a style stands for a desktop without one, and every call then takes the
// fallback a missing theme library would give, so buttons draw their own
// plain faces.
class CThemeApi
{
public:
    // Parts and states of a push-button face, with the classic numbers.
    enum ButtonPart { PushButtonPart = 1 };
    enum ButtonState {
        StateNormal = 1,
        StateHot = 2,
        StatePressed = 3,
        StateDisabled = 4,
        StateDefaulted = 5
    };

    // The theme of one window class ("BUTTON", "TOOLBAR") for one widget.
    struct Theme
    {
        QStyle *style = nullptr;
        QWidget *widget = nullptr;
        bool toolbar = false;
    };
    using ThemeHandle = Theme *;

    static constexpr long Ok = 0;
    static constexpr long Failed = static_cast<long>(0x80004005L); // E_FAIL

    // Binds to the application's style.
    CThemeApi();
    // Binds to the given style; nullptr for a desktop without a theme.
    explicit CThemeApi(QStyle *style);
    virtual ~CThemeApi();

    CThemeApi(const CThemeApi &) = delete;
    CThemeApi &operator=(const CThemeApi &) = delete;

    // Is a visual style active: a style is bound and it is the one the
    // application draws with.
    bool IsAppThemed() const;

    // The theme of a window class for a widget; nullptr without a style or
    // for a class other than "BUTTON" and "TOOLBAR".
    ThemeHandle OpenThemeData(QWidget *widget, const QString &classList) const;
    long CloseThemeData(ThemeHandle theme) const;
    // Qt widgets are drawn over their parent's background already; kept so
    // the drawing steps read the same with and without a theme.
    long DrawThemeParentBackground(QWidget *widget, QPainter *painter, const QRect &rect) const;
    long DrawThemeBackground(ThemeHandle theme, QPainter *painter, int part, int state,
                             const QRect &rect) const;

private:
    QPointer<QStyle> m_style;
    bool m_bBound = false;
};
