// The link label: which target it opens and what a target that cannot be
// opened reports.

#include "TestEnvironment.h"

#include "controls/CUrlLabel.h"
#include "controls/LinkOpening.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LinkLabel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        linkopen::SetOpener([this](const QUrl &url) {
            opened << url;
            return handlerAnswers;
        });
    }
    void TearDown() override { linkopen::SetOpener({}); }

    QList<QUrl> opened;
    bool handlerAnswers = true;
};

TEST_F(LinkLabel, TextAndTargetStandInForEachOther)
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

TEST_F(LinkLabel, AClickOpensItAndMarksItVisited)
{
    CUrlLabel label;
    label.SetTarget(QStringLiteral("mailto:orvane-burn@example.org"));
    label.Attach();
    label.resize(label.sizeHint());
    label.show();
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(label.IsVisited());
}

TEST_F(LinkLabel, ATargetThatCannotBeOpenedIsReportedWithItsReason)
{
    QStringList reports;
    CUrlLabel label;
    label.SetErrorReporter([&reports](const QString &text) { reports << text; });

    label.SetTarget(testenv::makeTempDir(QStringLiteral("links")) + QStringLiteral("/missing.htm"));
    EXPECT_EQ(label.Open(), linkopen::FileNotFound);
    EXPECT_TRUE(opened.isEmpty());

    handlerAnswers = false;
    label.SetTarget(QStringLiteral("https://orvane-burn.example.org/"));
    EXPECT_EQ(label.Open(), linkopen::NoAssociation);
    EXPECT_FALSE(label.IsVisited());

    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0], QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_EQ(reports[1], QStringLiteral("Unable to open hyperlink:\n\nThere is no application associated\n"
                                         "with the given filename extension."));
}

} // namespace
