// The Burn button on the real main window: the DVD-Video check's question,
// the offer to burn again without reallocation and the shutdown after
// burning; the Shutdown check box and the shutdown sequence.
#include "CommandWindowFixture.h"

#include "PrivateSystemBus.h"

#include "log/CShutdownDlg.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "settings/SettingsFlags.h"

#include <QFile>

#include <atomic>

namespace {

struct BurnCase
{
    const char *name;
    bool damagedSource; // with reallocation on: the burn fails with 3
    bool shutdownTicked;
    bool forceShutdown;
    int reallocAnswer;
    bool expectQuestion;
    bool expectShutdown;
};

// Names the case in the test list, which the test runner reads.
void PrintTo(const BurnCase &burn, std::ostream *out)
{
    *out << burn.name;
}

class BurnCommandTest : public CommandWindowTest, public testing::WithParamInterface<BurnCase>
{
protected:
    // A burn of the damaged source with reallocation on; the reallocation
    // question gets reallocAnswer.
    void PrepareDamagedBurn(int reallocAnswer)
    {
        // A video manager of garbage: the library cannot reallocate it.
        QFile ifo(m_source + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO"));
        ASSERT_TRUE(ifo.open(QIODevice::ReadWrite));
        ifo.write(QByteArray(ifo.size(), '\x5a'));
        ifo.close();
        PrepareBurn(m_source);
        m_window->m_bReallocate = 1;
        m_window->UpdateData(Exchange::ToControls);
        Answer(592, reallocAnswer);
    }
};

TEST_P(BurnCommandTest, ReallocationQuestionAndShutdownFollowTheRules)
{
    const BurnCase &c = GetParam();
    Start(FastDvdWriter);
    if (c.damagedSource)
        PrepareDamagedBurn(c.reallocAnswer);
    else
        PrepareBurn(MenulessSample());
    m_window->m_pOtherDlg->m_bForceShutdown = c.forceShutdown ? 1 : 0;
    if (c.shutdownTicked)
        m_window->m_btnShutdown->click();
    const int callsBefore = PowerOffCallCount();

    m_window->m_btnBurn->click();

    const QStringList log = Log();
    const bool again = c.expectQuestion && c.reallocAnswer == mb::IdYes;
    EXPECT_EQ(m_window->boxes.Showed(Text(592)), c.expectQuestion ? 1 : 0);
    EXPECT_EQ(log.count(Text(702)), again ? 2 : 1) << log.join('\n').toStdString();
    // The DVD-Video check asks about the damaged folder first (answered Yes:
    // the burn goes on); a clean folder burns without asking.
    const auto boxes = m_window->boxes.Boxes();
    EXPECT_EQ(m_window->boxes.Showed(Text(992)) > 0, c.damagedSource);
    if (c.damagedSource) {
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0].text, Text(992));
        EXPECT_EQ(boxes[0].type, mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
    }
    if (c.expectQuestion) {
        ASSERT_GE(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].text, Text(592));
        EXPECT_EQ(boxes[1].caption, QStringLiteral("Problem Reallocation!"));
        EXPECT_EQ(boxes[1].type, mb::YesNo | mb::IconWarning);
        EXPECT_EQ(log.contains(Text(656)), again);
        EXPECT_EQ(log.contains(Text(658)), !again) << "No stops with the reason";
        EXPECT_EQ(m_window->m_bReallocate, again ? 0 : 1);
        EXPECT_EQ(m_window->m_btnReallocate->isChecked(), !again);
        if (!again) {
            EXPECT_EQ(m_window->m_edtStatus->text(), Text(768));
        }
    }
    if (again) {
        EXPECT_GT(log.lastIndexOf(Text(702)), log.indexOf(Text(656)))
            << "the second burn comes after the offer";
        EXPECT_TRUE(log.contains(QStringLiteral("Using ISO Flags: ISO UDF ")));
        EXPECT_TRUE(log.contains(Text(784))) << "the second burn succeeded";
    }
    EXPECT_EQ(m_standBy->Sightings().size(), c.expectShutdown ? 1u : 0u);
    EXPECT_EQ(m_window->HasEnded(), c.expectShutdown);
    EXPECT_EQ(QFile::exists(DesktopLog()), c.expectShutdown);
    if (c.expectShutdown) {
        EXPECT_TRUE(SystemBus().WaitForPowerOffCalls(callsBefore + 1, 5000));
    }
    EXPECT_EQ(PowerOffCallCount(), callsBefore + (c.expectShutdown ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BurnCommandTest,
    testing::Values(BurnCase{"SuccessWithTheBox", false, true, false, mb::IdNo, false, true},
                    BurnCase{"SuccessForcedButNoBox", false, false, true, mb::IdNo, false, false},
                    BurnCase{"FailureAnsweredNo", true, true, false, mb::IdNo, true, false},
                    BurnCase{"FailureAnsweredYesBurnsAgain", true, false, false, mb::IdYes, true, false},
                    BurnCase{"FailureRetriedSucceeds", true, true, false, mb::IdYes, true, true},
                    BurnCase{"FailureForced", true, true, true, mb::IdYes, false, true}),
    [](const testing::TestParamInfo<BurnCase> &testInfo) { return std::string(testInfo.param.name); });

using BurnAfterEraseTest = BurnCommandTest;

// The burn that follows an erase runs on the erase worker; the question is
// still asked on its result.
TEST_F(BurnAfterEraseTest, ReallocationQuestionFollowsTheBurnAfterAnErase)
{
    Start(UsedDvdRw + "erase-time-scale = 0.001\n");
    PrepareDamagedBurn(mb::IdNo);
    m_window->m_btnBurn->click();

    const QStringList log = Log();
    EXPECT_TRUE(log.contains(Text(779) + QStringLiteral(" DVD-RW"))) << log.join('\n').toStdString();
    EXPECT_EQ(m_window->boxes.Showed(Text(592)), 1);
    EXPECT_TRUE(log.contains(Text(658)));
    EXPECT_EQ(m_window->m_strStatus, Text(768));
    EXPECT_FALSE(m_window->Jobs().Job().Running());
}

constexpr int LogTemplateBeforeShutdown = 560;

TEST_F(CommandWindowTest, TickingShutdownAnnouncesTheLogPathAndKeepsTheDiscInTheRecorder)
{
    Start(FastDvdWriter);
    m_window->m_strVolume = QStringLiteral("TEST_DISC");
    m_window->UpdateData(Exchange::ToControls);
    ASSERT_EQ(m_window->m_pOtherDlg->GetBurnFlags() & BURN_NO_EJECT, 0);
    const qsizetype before = Log().size();
    const int callsBefore = PowerOffCallCount();

    m_window->m_btnShutdown->click();
    EXPECT_EQ(m_window->m_bShutdown, 1);
    const QStringList ticked = Log();
    ASSERT_EQ(ticked.size(), before + 1);
    EXPECT_EQ(ticked.last(), FormatText(Text(706), {DesktopLog()}));
    EXPECT_NE(m_window->m_pOtherDlg->GetBurnFlags() & BURN_NO_EJECT, 0);

    // Clearing the box says nothing and leaves the disc in the recorder.
    m_window->m_btnShutdown->click();
    EXPECT_EQ(m_window->m_bShutdown, 0);
    EXPECT_EQ(Log(), ticked);
    EXPECT_NE(m_window->m_pOtherDlg->GetBurnFlags() & BURN_NO_EJECT, 0);
    EXPECT_EQ(PowerOffCallCount(), callsBefore) << "ticking the box alone shuts nothing down";
}

// The Burn command calls the sequence on the GUI thread (the command-line
// run calls it on its worker, which the end-to-end run covers).
TEST_F(CommandWindowTest, ShutdownSequenceIsStandByThenLogFileThenPowerOffThenTheWindowEnds)
{
    Start(FastDvdWriter);
    m_window->m_strVolume = QStringLiteral("TEST_DISC");
    m_window->UpdateData(Exchange::ToControls);
    m_window->AppendLog(QStringLiteral("the burn went well"));
    const int callsBefore = PowerOffCallCount();
    // The moment the log file's template is looked up is the moment the file
    // is written: the stand-by window must be gone and logind not yet asked.
    std::atomic<int> standByAtWrite{-1};
    std::atomic<int> callsAtWrite{-1};
    m_window->textProbe = [&](int id) {
        if (id == LogTemplateBeforeShutdown && callsAtWrite < 0) {
            standByAtWrite = static_cast<int>(m_standBy->Sightings().size());
            callsAtWrite = PowerOffCallCount();
        }
    };

    m_window->RunShutdown();
    m_window->textProbe = nullptr;

    const auto sightings = m_standBy->Sightings();
    ASSERT_EQ(sightings.size(), 1u);
    EXPECT_EQ(sightings[0].message, Text(802));
    EXPECT_EQ(sightings[0].seconds, 5);
    EXPECT_EQ(sightings[0].powerOffCallsAtClose, callsBefore);
    EXPECT_EQ(standByAtWrite, 1);
    EXPECT_EQ(callsAtWrite, callsBefore);

    QFile log(DesktopLog());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << "kind 1 goes to the desktop";
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.startsWith(Text(LogTemplateBeforeShutdown).section('\n', 0, 0))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("the burn went well")));

    ASSERT_TRUE(SystemBus().WaitForPowerOffCalls(callsBefore + 1, 5000));
    EXPECT_EQ(PowerOffCallCount(), callsBefore + 1);
    EXPECT_TRUE(SystemBus().PowerOffCalls().last().startsWith(QStringLiteral("PowerOff false")))
        << "an unattended shutdown asks for no password";

    EXPECT_TRUE(m_window->HasEnded());
    EXPECT_EQ(m_window->EndResult(), CBurnDlg::ResultCancel);
    EXPECT_EQ(m_window->m_cmbDevice->count(), 0) << "the recording set-up was closed";
    EXPECT_EQ(m_window->Jobs().State().m_pDeviceInfos, nullptr);
}

} // namespace
