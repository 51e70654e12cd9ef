// The link label: which target it opens and what a target that cannot be
// opened reports.

#include "TestEnvironment.h"

#include "controls/CUrlLabel.h"
#include "controls/LinkOpening.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

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
