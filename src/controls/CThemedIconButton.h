#pragma once

#include "controls/CIconButton.h"

// The icon button as the program uses it everywhere: while a visual style is
// active its face is the style's push button (pushed, hot, disabled and
// default states included) and no extra border is drawn; otherwise it draws
// the plain face of CIconButton.
class CThemedIconButton : public CIconButton
{
    Q_OBJECT

public:
    explicit CThemedIconButton(QWidget *parent = nullptr);

    // True when the face is drawn by the visual style.
    bool IsDrawnThemed() const;

protected:
    void PaintBackground(QPainter &painter, const QRect &rect) override;
    void PaintBorder(QPainter &painter, const QRect &rect) override;

private:
    int ThemeState() const;
};
