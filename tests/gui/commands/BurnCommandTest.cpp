// The Burn button on the real main window: the retry without reallocation
// and the shutdown after burning.
#include "CommandWindowFixture.h"

#include "PrivateSystemBus.h"

#include "platform/MessageBoxType.h"

#include <QFile>

namespace {

const QString ReallocCaption = QStringLiteral("Problem Reallocation!");

int CountOf(const QStringList &lines, const QString &line)
{
    return static_cast<int>(lines.count(line));
}

class BurnCommandTest : public CommandWindowTest
{
protected:
    // Answers the reallocation question with reallocAnswer, every other box
    // with its default.
    void AnswerReallocQuestion(int reallocAnswer)
    {
        m_window->boxes.answer = [reallocAnswer](const Box &box) {
            if (box.caption == ReallocCaption)
                return reallocAnswer;
            return (box.type & mb::ButtonsMask) == mb::YesNo ? int(mb::IdYes) : int(mb::IdOk);
        };
    }
    void PrepareDamagedBurnWithReallocation()
    {
        PrepareBurn(DamagedSource());
        m_window->m_bReallocate = 1;
        m_window->UpdateData(false);
    }
    QString Image() const { return m_copy.Path() + QStringLiteral("/media/test-dvd.iso"); }
};

TEST_F(BurnCommandTest, ReallocationFailureAnsweredYesBurnsAgainWithoutReallocation)
{
    Start(FastDvdWriter);
    PrepareDamagedBurnWithReallocation();
    AnswerReallocQuestion(mb::IdYes);
    m_window->m_btnBurn->click();

    // The DVD-Video check asks first (answered Yes), then the reallocation
    // question comes; the second burn is checked again.
    const auto boxes = m_window->Boxes();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, Text(992));
    EXPECT_EQ(boxes[1].caption, ReallocCaption);
    EXPECT_EQ(boxes[1].text, Text(592));
    EXPECT_EQ(boxes[1].type, mb::YesNo | mb::IconWarning);
    const QStringList log = Log();
    EXPECT_EQ(CountOf(log, Text(702)), 2) << log.join('\n').toStdString();
    const qsizetype again = log.indexOf(Text(656));
    ASSERT_GE(again, 0);
    EXPECT_GT(log.lastIndexOf(Text(702)), again);
    EXPECT_TRUE(log.contains(QStringLiteral("Using ISO Flags: ISO UDF ")));
    EXPECT_TRUE(log.contains(Text(784))) << "the second burn succeeded";
    EXPECT_EQ(m_window->m_bReallocate, 0);
    EXPECT_FALSE(m_window->m_btnReallocate->isChecked()) << "the box ends off";
    EXPECT_TRUE(QFile::exists(Image()));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_FALSE(m_window->HasEnded());
}

TEST_F(BurnCommandTest, ReallocationFailureAnsweredNoStopsWithTheReason)
{
    Start(FastDvdWriter);
    PrepareDamagedBurnWithReallocation();
    AnswerReallocQuestion(mb::IdNo);
    m_window->m_btnBurn->click();

    EXPECT_TRUE(m_window->Asked(ReallocCaption));
    const QStringList log = Log();
    EXPECT_EQ(CountOf(log, Text(702)), 1) << "no second burn";
    EXPECT_TRUE(log.contains(Text(658)));
    EXPECT_FALSE(log.contains(Text(656)));
    EXPECT_EQ(m_window->m_strStatus, Text(768));
    EXPECT_EQ(m_window->m_edtStatus->text(), Text(768));
    EXPECT_EQ(m_window->m_bReallocProblem, 0);
    EXPECT_EQ(m_window->m_bReallocate, 1);
}

// The burn that follows an erase runs on the erase worker; the question is
// still asked on its result.
TEST_F(BurnCommandTest, ReallocationQuestionFollowsTheBurnAfterAnErase)
{
    Start("[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n"
          "erase-time-scale = 0.001\n");
    PrepareDamagedBurnWithReallocation();
    AnswerReallocQuestion(mb::IdNo);
    m_window->m_btnBurn->click();

    const QStringList log = Log();
    EXPECT_TRUE(log.contains(Text(779) + QStringLiteral(" DVD-RW"))) << log.join('\n').toStdString();
    EXPECT_TRUE(m_window->Asked(ReallocCaption));
    EXPECT_TRUE(log.contains(Text(658)));
    EXPECT_EQ(m_window->m_strStatus, Text(768));
    EXPECT_FALSE(m_window->Jobs().Job().Running());
}

// The window is idle for a moment between an erase and the burn that
// follows it, with Burn usable: a click then must not start a second run.
TEST_F(BurnCommandTest, BurnDoesNothingWhileAnEraseJobStillRuns)
{
    Start("[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n"
          "erase-time-scale = 0.01\n");
    PrepareBurn(MenulessSample());
    m_window->m_btnErase->click();
    ASSERT_TRUE(m_window->Jobs().Job().Running());
    m_window->OnBurn();
    m_window->Jobs().Job().Wait();

    const QStringList log = Log();
    EXPECT_TRUE(log.contains(Text(800))) << log.join('\n').toStdString();
    EXPECT_FALSE(log.contains(Text(702)));
    EXPECT_FALSE(log.contains(Text(779) + QStringLiteral(" DVD-RW"))) << "no second look at the disc";
    int overwriteQuestions = 0;
    for (const Box &box : m_window->Boxes())
        overwriteQuestions += box.text == Text(642);
    EXPECT_EQ(overwriteQuestions, 1);
}

// The same holds for the other commands that drive the recorder: a click
// queued while the window was busy may arrive in that moment.
TEST_F(BurnCommandTest, EraseDoesNothingWhileAnEraseJobStillRuns)
{
    Start("[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n"
          "erase-time-scale = 0.01\n");
    PrepareBurn(MenulessSample());
    m_window->m_btnErase->click();
    ASSERT_TRUE(m_window->Jobs().Job().Running());
    // The button is disabled now; the signal stands for a click that was
    // queued before and is delivered late.
    emit m_window->m_btnErase->clicked();
    m_window->Jobs().Job().Wait();

    int overwriteQuestions = 0;
    for (const Box &box : m_window->Boxes())
        overwriteQuestions += box.text == Text(642);
    EXPECT_EQ(overwriteQuestions, 1);
    EXPECT_EQ(Log().count(Text(800)), 1) << Log().join('\n').toStdString();
}

struct ShutdownRule
{
    const char *name;
    bool damagedSource; // with reallocation on: the burn fails with 3
    bool shutdownTicked;
    bool forceShutdown;
    int reallocAnswer;
    bool expectQuestion;
    bool expectShutdown;
};

class ShutdownRuleTest : public BurnCommandTest, public testing::WithParamInterface<ShutdownRule>
{
};

TEST_P(ShutdownRuleTest, BurnEndsInAShutdownOnlyWhenTheRulesSaySo)
{
    const ShutdownRule &rule = GetParam();
    Start(FastDvdWriter);
    if (rule.damagedSource)
        PrepareDamagedBurnWithReallocation();
    else
        PrepareBurn(MenulessSample());
    AnswerReallocQuestion(rule.reallocAnswer);
    m_window->m_pOtherDlg->m_bForceShutdown = rule.forceShutdown ? 1 : 0;
    if (rule.shutdownTicked)
        m_window->m_btnShutdown->click();
    const int callsBefore = PowerOffCallCount();

    m_window->m_btnBurn->click();

    EXPECT_EQ(m_window->Asked(ReallocCaption), rule.expectQuestion);
    EXPECT_EQ(m_standBy->Count(), rule.expectShutdown ? 1 : 0);
    EXPECT_EQ(m_window->HasEnded(), rule.expectShutdown);
    EXPECT_EQ(QFile::exists(DesktopLog()), rule.expectShutdown);
    if (rule.expectShutdown) {
        EXPECT_TRUE(SystemBus().WaitForPowerOffCalls(callsBefore + 1, 5000));
    }
    EXPECT_EQ(PowerOffCallCount(), callsBefore + (rule.expectShutdown ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ShutdownRuleTest,
    testing::Values(ShutdownRule{"SuccessWithTheBox", false, true, false, mb::IdNo, false, true},
                    ShutdownRule{"SuccessForcedButNoBox", false, false, true, mb::IdNo, false, false},
                    ShutdownRule{"FailureWithoutForce", true, true, false, mb::IdNo, true, false},
                    ShutdownRule{"FailureRetriedSucceeds", true, true, false, mb::IdYes, true, true},
                    ShutdownRule{"FailureForced", true, true, true, mb::IdYes, false, true}),
    [](const testing::TestParamInfo<ShutdownRule> &testInfo) { return std::string(testInfo.param.name); });

} // namespace
