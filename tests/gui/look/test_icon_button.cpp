// The icon buttons as a person sees and uses them: images and captions where
// they belong, the flat face's hover, pressed and disabled looks, the themed
// face, clicks, links and the focus moving on when a button is disabled.

#include "controls/CIconButton.h"
#include "controls/CThemeApi.h"
#include "controls/CThemedIconButton.h"
#include "controls/IconButtonLayout.h"
#include "controls/LinkOpening.h"
#include "controls/ProgramImages.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QImage Render(QWidget &widget)
{
    return widget.grab().toImage();
}

void Hover(QWidget &widget, bool over)
{
    if (over) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(&widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&widget, &leave);
    }
}

TEST(IconButtonLayout, PlacesImageAndCaptionByTheRules)
{
    struct Case
    {
        const char *what;
        bool caption;
        bool pressed;
        QRect image;
        int captionLeft;
    };
    const QRect client(0, 0, 100, 30);
    const QSize image(16, 16);
    const Case cases[] = {
        {"caption: image at the margin", true, false, QRect(3, 7, 16, 16), 22},
        {"caption, pressed: image moves", true, true, QRect(4, 8, 16, 16), 22},
        {"no caption: image centred", false, false, QRect(42, 7, 16, 16), 0},
        {"no caption, pressed", false, true, QRect(43, 8, 16, 16), 0},
    };
    for (const Case &c : cases) {
        const IconButtonLayout layout = LayoutIconButton(client, image, c.caption, {3, 3}, {1, 1}, c.pressed);
        EXPECT_EQ(layout.image, c.image) << c.what;
        EXPECT_EQ(layout.caption.left(), c.captionLeft) << c.what;
        EXPECT_EQ(layout.caption.right(), client.right()) << c.what;
    }
    EXPECT_EQ(LayoutIconButton(client, QSize(), true, {3, 3}, {1, 1}, false).caption, client);
}

// The flat face shows its raised border only while hovered; the themed face
// draws the style's pressed and disabled states.
TEST(IconButton, FacesShowHoverPressedAndDisabled)
{
    for (const bool themed : {false, true}) {
        CThemeApi theme = themed ? CThemeApi() : CThemeApi(nullptr);
        ASSERT_EQ(theme.IsAppThemed(), themed);
        QWidget window;
        auto *button = new CThemedIconButton(&window);
        button->BindTheme(&theme);
        EXPECT_EQ(button->IsDrawnThemed(), themed);
        button->setText(QStringLiteral("Bur&n"));
        button->LoadIconImage(programimages::BurnIcon);
        button->setGeometry(10, 10, 120, 32);
        window.resize(140, 52);
        window.show();

        const QImage resting = Render(*button);
        Hover(*button, true);
        const QImage hovered = Render(*button);
        button->setDown(true);
        const QImage pressed = Render(*button);
        button->setDown(false);
        Hover(*button, false);
        EXPECT_EQ(Render(*button), resting) << themed;
        button->setEnabled(false);
        EXPECT_NE(Render(*button), resting) << themed;
        EXPECT_NE(pressed, resting) << themed;
        if (!themed) {
            EXPECT_NE(hovered, resting);
            // The raised edge: light along the top, dark along the bottom; pressed, the reverse.
            EXPECT_EQ(resting.pixelColor(115, 0), resting.pixelColor(115, 3));
            EXPECT_GT(hovered.pixelColor(115, 0).lightness(), hovered.pixelColor(115, 31).lightness());
            EXPECT_LT(pressed.pixelColor(115, 0).lightness(), pressed.pixelColor(115, 31).lightness());
        }
    }
}

TEST(IconButton, ABitmapWithoutCaptionIsCentredAndItsTransparentColourIsNotDrawn)
{
    QPixmap bitmap(8, 8);
    bitmap.fill(QColor(0, 255, 0));
    QPainter(&bitmap).fillRect(2, 2, 4, 4, Qt::red);
    CIconButton button;
    button.setText(QString());
    ASSERT_EQ(button.SetBitmapImage(bitmap, QColor(0, 255, 0)), CIconButton::Done);
    button.resize(40, 20);
    const QImage shot = Render(button);
    EXPECT_EQ(shot.pixelColor(19, 9), QColor(Qt::red)); // the image spans 16..23 by 6..13
    EXPECT_NE(shot.pixelColor(16, 6), QColor(0, 255, 0));
    EXPECT_NE(shot.pixelColor(4, 9), QColor(Qt::red));
}

TEST(IconButton, DisablingMovesTheFocusToTheNextControl)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    auto *button = new CIconButton(&window);
    auto *next = new QLineEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(button);
    layout->addWidget(next);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    button->setEnabled(false);
    EXPECT_TRUE(next->hasFocus());
}

TEST(IconButton, AClickOpensItsLinkAndADoubleClickCountsAsTwoClicks)
{
    QList<QUrl> opened;
    linkopen::SetOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    CIconButton button;
    button.resize(40, 20);
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
    button.SetLinkTarget(QStringLiteral("https://orvane-burn.example.org/donate"));
    const QPoint centre = button.rect().center();
    QTest::mouseClick(&button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://orvane-burn.example.org/donate"))});
    QTest::mouseDClick(&button, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks.count(), 3) << "the double click is the third click";
    linkopen::SetOpener({});
}

} // namespace
