// The icon buttons and the link label: images and captions where they
// belong, clicks, the links they open or the reason they cannot, and the
// focus moving on when a button is disabled.

#include "TestEnvironment.h"

#include "controls/CIconButton.h"
#include "controls/CUrlLabel.h"
#include "controls/IconButtonLayout.h"
#include "controls/LinkOpening.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

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

TEST(IconButton, ABitmapWithoutCaptionIsCentredAndItsTransparentColourIsNotDrawn)
{
    QPixmap bitmap(8, 8);
    bitmap.fill(QColor(0, 255, 0));
    QPainter(&bitmap).fillRect(2, 2, 4, 4, Qt::red);
    CIconButton button;
    button.setText(QString());
    ASSERT_EQ(button.SetBitmapImage(bitmap, QColor(0, 255, 0)), CIconButton::Done);
    button.resize(40, 20);
    const QImage shot = button.grab().toImage();
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

TEST(LinkLabel, TextAndTargetStandInForEachOther)
{
    CUrlLabel onlyTarget;
    onlyTarget.SetTarget(QStringLiteral("https://orvane-burn.example.org/"));
    onlyTarget.Attach();
    EXPECT_EQ(onlyTarget.text(), QStringLiteral("https://orvane-burn.example.org/"));
    EXPECT_EQ(onlyTarget.toolTip(), onlyTarget.Target());

    CUrlLabel onlyText;
    onlyText.setText(QStringLiteral("https://example.org/x"));
    onlyText.Attach();
    EXPECT_EQ(onlyText.Target(), QStringLiteral("https://example.org/x"));
    EXPECT_EQ(onlyText.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabel, AClickOpensItAndMarksItVisitedAndATargetThatCannotBeOpenedIsReported)
{
    QList<QUrl> opened;
    bool handlerAnswers = true;
    linkopen::SetOpener([&](const QUrl &url) {
        opened << url;
        return handlerAnswers;
    });
    CUrlLabel label;
    label.SetTarget(QStringLiteral("mailto:orvane-burn@example.org"));
    label.Attach();
    label.resize(label.sizeHint());
    label.show();
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(label.IsVisited());

    QStringList reports;
    CUrlLabel failing;
    failing.SetErrorReporter([&reports](const QString &text) { reports << text; });
    failing.SetTarget(testenv::makeTempDir(QStringLiteral("links")) + QStringLiteral("/missing.htm"));
    EXPECT_EQ(failing.Open(), linkopen::FileNotFound);
    EXPECT_EQ(opened.size(), 1) << "a missing file is not handed on";
    handlerAnswers = false;
    failing.SetTarget(QStringLiteral("https://orvane-burn.example.org/"));
    EXPECT_EQ(failing.Open(), linkopen::NoAssociation);
    EXPECT_FALSE(failing.IsVisited());
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0], QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_EQ(reports[1], QStringLiteral("Unable to open hyperlink:\n\nThere is no application associated\n"
                                         "with the given filename extension."));
    linkopen::SetOpener({});
}

} // namespace
