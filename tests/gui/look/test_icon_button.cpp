// The icon buttons as a person sees and uses them: images and captions where
// they belong, the flat face's hover, pressed and disabled looks (rendered
// and saved as pictures), the plain and the themed face, clicks, links and
// the focus moving on when a button is disabled.

#include "TestEnvironment.h"

#include "controls/CIconButton.h"
#include "controls/CThemeApi.h"
#include "controls/CThemedIconButton.h"
#include "controls/IconButtonLayout.h"
#include "controls/LinkOpening.h"
#include "controls/ProgramImages.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
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

TEST(IconButton, EveryProgramImageExists)
{
    using namespace programimages;
    for (int id :
         {AppIcon, AboutPicture, DirectoryIcon, BurnIcon, QuitIcon, AbortIcon, HelpIcon, AboutIcon,
          SaveLogIcon, EraseIcon, SpeedsIcon, DonationBitmap, ClearLogIcon, WavIcon, PlayIcon, EjectIcon})
        EXPECT_FALSE(Image(id).isNull()) << id;
    EXPECT_TRUE(Image(4711).isNull());
    EXPECT_EQ(Cursor(HandCursor)->shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(Cursor(4711).has_value());
}

TEST(IconButton, SettersKeepTheirPromises)
{
    CIconButton button;
    EXPECT_TRUE(button.IsFlatLook());
    EXPECT_EQ(button.PressOffset(), QPoint(1, 1));
    EXPECT_EQ(button.SetPressOffsetStyle(CIconButton::OffsetDown), CIconButton::Done);
    EXPECT_EQ(button.PressOffset(), QPoint(0, 2));
    EXPECT_EQ(button.SetPressOffsetStyle(7), CIconButton::BadArgument);
    EXPECT_EQ(button.PressOffset(), QPoint(0, 2));

    EXPECT_EQ(button.SetHoverCursor(programimages::HandCursor), CIconButton::Done);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(button.SetHoverCursor(4711), CIconButton::NoCursor);
    EXPECT_FALSE(button.HasHoverCursor());

    button.SetTip(QStringLiteral("Burn it"), false);
    EXPECT_TRUE(button.toolTip().isEmpty());
    button.SetTip(QString(), true);
    EXPECT_EQ(button.toolTip(), QStringLiteral("Burn it"));

    button.SetLinkTarget(QString(300, QLatin1Char('x')));
    EXPECT_EQ(button.LinkTarget().size(), 260);

    EXPECT_EQ(button.SetBitmapImage(QPixmap(), Qt::green), CIconButton::NoImageSize);
    EXPECT_FALSE(button.HasImage());
}

TEST(IconButton, FitToImageTakesTheImageSizeAndDropsTheMargins)
{
    CIconButton button;
    button.resize(120, 40);
    button.FitToImage(); // no image: nothing changes
    EXPECT_EQ(button.size(), QSize(120, 40));
    EXPECT_EQ(button.ImageMargins(), QPoint(3, 3));
    button.LoadBitmapImage(programimages::DonationBitmap, QColor(0, 255, 0));
    button.FitToImage();
    EXPECT_EQ(button.size(), QSize(32, 32));
    EXPECT_EQ(button.ImageMargins(), QPoint(0, 0));
}

TEST(IconButton, TransparentColourOfABitmapIsNotDrawn)
{
    QPixmap bitmap(8, 8);
    bitmap.fill(QColor(0, 255, 0));
    CIconButton button;
    button.setText(QString());
    button.resize(8, 8);
    EXPECT_EQ(button.SetBitmapImage(bitmap, QColor(0, 255, 0)), CIconButton::Done);
    button.FitToImage();
    const QImage shot = Render(button);
    EXPECT_NE(shot.pixelColor(4, 4), QColor(0, 255, 0));
}

TEST(IconButton, FlatFaceShowsItsBorderOnlyWhileHovered)
{
    CThemeApi plain(nullptr);
    QWidget window;
    auto *button = new CThemedIconButton(&window);
    button->BindTheme(&plain);
    button->setText(QStringLiteral("Bur&n"));
    button->LoadIconImage(programimages::BurnIcon);
    button->setGeometry(10, 10, 120, 32);
    window.resize(140, 52);
    window.show();

    const QImage resting = Render(*button);
    Hover(*button, true);
    EXPECT_TRUE(button->IsHovered());
    const QImage hovered = Render(*button);
    button->setDown(true);
    const QImage pressed = Render(*button);
    button->setDown(false);
    Hover(*button, false);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(Render(*button), resting);
    button->setEnabled(false);
    const QImage disabled = Render(*button);

    EXPECT_NE(hovered, resting);
    EXPECT_NE(pressed, hovered);
    EXPECT_NE(disabled, resting);
    // The raised edge: light along the top, dark along the bottom.
    EXPECT_EQ(resting.pixelColor(115, 0), resting.pixelColor(115, 3));
    EXPECT_GT(hovered.pixelColor(115, 0).lightness(), hovered.pixelColor(115, 31).lightness());
    EXPECT_LT(pressed.pixelColor(115, 0).lightness(), pressed.pixelColor(115, 31).lightness());

    const QString dir = testenv::artifactDir();
    resting.save(dir + "/icon-button-plain-resting.png");
    hovered.save(dir + "/icon-button-plain-hovered.png");
    pressed.save(dir + "/icon-button-plain-pressed.png");
    disabled.save(dir + "/icon-button-plain-disabled.png");
}

TEST(IconButton, ThemedFaceFollowsTheStyleStates)
{
    CThemeApi theme;
    ASSERT_TRUE(theme.IsAppThemed());
    QWidget window;
    auto *button = new CThemedIconButton(&window);
    button->BindTheme(&theme);
    EXPECT_TRUE(button->IsDrawnThemed());
    button->setText(QStringLiteral("E&rase"));
    button->LoadIconImage(programimages::EraseIcon);
    button->setGeometry(10, 10, 120, 32);
    window.resize(140, 52);
    window.show();

    const QImage resting = Render(*button);
    button->setDown(true);
    const QImage pressed = Render(*button);
    button->setDown(false);
    button->setEnabled(false);
    const QImage disabled = Render(*button);
    EXPECT_NE(pressed, resting);
    EXPECT_NE(disabled, resting);
    const QString dir = testenv::artifactDir();
    resting.save(dir + "/icon-button-themed-resting.png");
    pressed.save(dir + "/icon-button-themed-pressed.png");
    disabled.save(dir + "/icon-button-themed-disabled.png");
}

TEST(IconButton, WithoutAThemeBindingTheHoverBorderIsSwitchedOn)
{
    CThemeApi plain(nullptr);
    EXPECT_FALSE(plain.IsAppThemed());
    EXPECT_EQ(plain.OpenThemeData(nullptr, QStringLiteral("BUTTON")), nullptr);
    EXPECT_EQ(plain.CloseThemeData(nullptr), CThemeApi::Failed);
    CThemedIconButton button;
    button.BindTheme(&plain);
    EXPECT_TRUE(button.HasHoverBorder());
    EXPECT_FALSE(button.IsDrawnThemed());
}

TEST(IconButton, ImageWithoutCaptionIsCentred)
{
    CIconButton button;
    button.setText(QString());
    QPixmap dot(4, 4);
    dot.fill(Qt::red);
    button.SetIconImage(dot);
    button.resize(40, 20);
    const QImage shot = Render(button);
    EXPECT_EQ(shot.pixelColor(19, 9), QColor(Qt::red));
    EXPECT_NE(shot.pixelColor(4, 9), QColor(Qt::red));
}

TEST(IconButton, ADoubleClickCountsAsTwoClicks)
{
    CIconButton button;
    button.resize(60, 24);
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    const QPoint centre = button.rect().center();
    QTest::mouseClick(&button, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(&button, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks.count(), 2);
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

TEST(IconButton, AClickOpensItsLink)
{
    QList<QUrl> opened;
    linkopen::SetOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    CIconButton button;
    button.resize(40, 20);
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
    button.SetLinkTarget(QStringLiteral("https://orvane-burn.example.org/donate"));
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl(QStringLiteral("https://orvane-burn.example.org/donate")));
    linkopen::SetOpener({});
}

} // namespace
