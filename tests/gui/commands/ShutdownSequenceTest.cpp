// The Shutdown check box and the shutdown sequence on the real main window.
#include "CommandWindowFixture.h"

#include "PrivateSystemBus.h"

#include "platform/TextFormat.h"
#include "settings/SettingsFlags.h"

#include "log/CShutdownDlg.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <atomic>

namespace {

constexpr int LogTemplateBeforeShutdown = 560;

TEST_F(CommandWindowTest, TickingShutdownAnnouncesTheLogPathAndKeepsTheDiscInTheRecorder)
{
    Start(FastDvdWriter);
    m_window->m_strVolume = QStringLiteral("TEST_DISC");
    m_window->UpdateData(false);
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
    m_window->UpdateData(false);
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
    EXPECT_EQ(m_window->m_pDeviceInfos, nullptr);
}

TEST(StandByWindow, EnterClosesItEarly)
{
    CShutdownDlg dialog;
    dialog.m_nSeconds = 30;
    dialog.m_strMessage = QStringLiteral("Shutting down");
    QTimer::singleShot(200, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Return); });
    QElapsedTimer timer;
    timer.start();
    dialog.exec();
    EXPECT_LT(timer.elapsed(), 5000);
}

} // namespace
