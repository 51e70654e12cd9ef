#include "jobs/burn/BurnReport.h"
#include "TestEnvironment.h"
#include "jobs/burn/DiscCheck.h"

#include <gtest/gtest.h>

using namespace jobs;

struct ReportCase
{
    int result;
    BurnReportContext context;
    int logTextId;
    ReportBox box;
    int statusTextId;
};

class ReportTable : public ::testing::TestWithParam<ReportCase>
{
};

TEST_P(ReportTable, ReportsEachResult)
{
    const ReportCase &c = GetParam();
    const BurnReport report = ReportForResult(c.result, c.context);
    EXPECT_EQ(report.logTextId, c.logTextId);
    EXPECT_EQ(report.box, c.box);
    EXPECT_EQ(report.statusTextId, c.statusTextId);
    EXPECT_EQ(report.totalTimeLine, c.result == 0);
}

INSTANTIATE_TEST_SUITE_P(Results, ReportTable,
                         ::testing::Values(ReportCase{0, {}, 784, ReportBox::Info, 766},
                                           ReportCase{0, {true, false, false}, 784, ReportBox::None, 766},
                                           ReportCase{1, {}, 785, ReportBox::Error, 786},
                                           ReportCase{2, {true, true, false}, 787, ReportBox::None, 786},
                                           ReportCase{2, {true, false, false}, 787, ReportBox::Error, 786},
                                           ReportCase{3, {}, 788, ReportBox::Error, 786},
                                           ReportCase{3, {false, false, true}, 0, ReportBox::None, 0},
                                           ReportCase{4, {}, 789, ReportBox::Error, 786},
                                           ReportCase{5, {}, 790, ReportBox::Error, 786},
                                           ReportCase{6, {}, 791, ReportBox::Error, 791},
                                           ReportCase{17, {}, 792, ReportBox::Error, 786}));

TEST(ClassifyDisc, UsedRewritableNeedsContentAndARewritableType)
{
    DiscInfo info{};
    info.contentCount = 1;
    info.mediaType = MEDIA_TYPE_DVD_PRW;
    EXPECT_EQ(ClassifyDisc(info), UsedRewritable::DvdPlusRw);
    info.mediaType = MEDIA_TYPE_DVD_RW;
    EXPECT_EQ(ClassifyDisc(info), UsedRewritable::DvdMinusRw);
    info.mediaType = MEDIA_CD;
    info.mediumType = MEDIUM_TYPE_CDRW;
    EXPECT_EQ(ClassifyDisc(info), UsedRewritable::CdRw);
    info.mediumType = 1; // a written CD-R
    EXPECT_EQ(ClassifyDisc(info), UsedRewritable::No);
    info.contentCount = 0;
    info.mediaType = MEDIA_TYPE_DVD_PRW;
    EXPECT_EQ(ClassifyDisc(info), UsedRewritable::No);
    EXPECT_EQ(RewritableSuffix(UsedRewritable::DvdPlusRw), " DVD+RW");
    EXPECT_EQ(RewritableSuffix(UsedRewritable::CdRw), " CD-RW");
}
