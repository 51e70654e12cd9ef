#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where an icon button puts its image and its caption. With a caption the
// image sits at the horizontal margin from the left edge and the caption
// takes the rest; without one the image is centred. The image is always
// centred vertically, and while the button is pressed it moves by the press
// offset (the caption is moved when it is drawn, so its rectangle here is
// the resting one).
struct IconButtonLayout
{
    QRect image;
    QRect caption;
};

IconButtonLayout LayoutIconButton(const QRect &client, const QSize &image, bool hasCaption,
                                  const QPoint &margins, const QPoint &pressOffset, bool pressed);
