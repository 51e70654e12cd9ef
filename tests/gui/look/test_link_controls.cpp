// The icon button and the link label: clicks, the links they open or the
// reason they cannot.

#include "TestEnvironment.h"
#include "gui/DesktopUrls.h"

#include "controls/CIconButton.h"
#include "controls/CUrlLabel.h"
#include "controls/LinkOpening.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(IconButton, AClickOpensItsLinkAndADoubleClickCountsAsTwoClicks)
{
    DesktopUrls desktop;
    const QList<QUrl> &opened = desktop.opened;
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
}

TEST(LinkLabel, AClickOpensItAndMarksItVisitedAndAMissingFileIsReported)
{
    DesktopUrls desktop;
    const QList<QUrl> &opened = desktop.opened;
    CUrlLabel label;
    label.SetTarget(QStringLiteral("mailto:orvane-burn@example.org"));
    label.Attach();
    label.resize(label.sizeHint());
    label.show();
    const QColor unvisited = label.CurrentColour();
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().scheme(), QStringLiteral("mailto"));
    EXPECT_NE(label.CurrentColour(), unvisited) << "an opened link shows as visited";

    QStringList reports;
    CUrlLabel failing;
    failing.SetErrorReporter([&reports](const QString &text) { reports << text; });
    failing.SetTarget(testenv::makeTempDir(QStringLiteral("links")) + QStringLiteral("/missing.htm"));
    EXPECT_EQ(failing.Open(), linkopen::FileNotFound);
    EXPECT_EQ(opened.size(), 1) << "a missing file is not handed on";
    EXPECT_EQ(failing.CurrentColour(), unvisited) << "a link that did not open stays unvisited";
    EXPECT_EQ(reports,
              QStringList{QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found.")});
}

} // namespace
