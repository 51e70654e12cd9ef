#include "controls/IconButtonLayout.h"

IconButtonLayout LayoutIconButton(const QRect &client, const QSize &image, bool hasCaption,
                                  const QPoint &margins, const QPoint &pressOffset, bool pressed)
{
    IconButtonLayout layout;
    layout.caption = client;
    if (image.isEmpty())
        return layout;
    const int top = client.top() + (client.height() - image.height()) / 2;
    int left = client.left() + (client.width() - image.width()) / 2;
    if (hasCaption) {
        left = client.left() + margins.x();
        layout.caption.setLeft(left + image.width() + margins.x());
    }
    layout.image = QRect(QPoint(left, top), image);
    if (pressed)
        layout.image.translate(pressOffset);
    return layout;
}
