// The busy state: which controls a job locks, that the window cannot be
// closed while a job runs, and what a termination signal does to it.
#include "gui/AnsweredWindow.h"
#include "gui/ProgramFolderFixture.h"
#include "gui/WaitFor.h"

#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <span>

namespace {

// Every control of the window by what a job does to it: the job controls
// are locked; Burn and the speed list come back only once a source and a
// recorder allow them; the rest stay usable.
const char *const JobControls[] = {
    "m_btnQuit",   "m_btnDvd",       "m_btnCd",        "m_btnFullErase", "m_btnQuickErase", "m_btnReallocate",
    "m_btnErase",  "m_cmbDevice",    "m_btnDirectory", "m_edtVolume",    "m_btnAbout",      "m_btnSaveLog",
    "m_btnSpeeds", "m_edtSourceDir", "m_stcLength",    "m_btnEject",     "m_btnVerify"};
const char *const ChosenControls[] = {"m_btnBurn", "m_cmbSpeed"};
const char *const FreeControls[] = {"m_btnHelp", "m_btnClearLog", "m_btnShutdown", "m_edtLog"};

class BusyStateTest : public ::testing::Test
{
protected:
    bool Enabled(const char *name) const
    {
        const QWidget *control = m_dlg.findChild<QWidget *>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control != nullptr && control->isEnabled();
    }
    void ExpectEnabled(std::span<const char *const> names, bool enabled) const
    {
        for (const char *name : names)
            EXPECT_EQ(Enabled(name), enabled) << name;
    }

    ProgramFolderFixture m_folder;
    AnsweredWindow m_dlg{m_folder.Registry()};
};

TEST_F(BusyStateTest, AJobLocksEveryJobControlAndAbortOnlyForAnEraseAndIdleRestoresThem)
{
    m_dlg.m_strVolume = QStringLiteral("MY_DISC");
    for (const AbortButton abort : {AbortButton::Disabled, AbortButton::Enabled}) {
        m_dlg.EnableBusyUi(abort);
        EXPECT_TRUE(m_dlg.IsBusy());
        EXPECT_EQ(Enabled("m_btnAbort"), abort == AbortButton::Enabled);
        ExpectEnabled(JobControls, false);
        ExpectEnabled(ChosenControls, false);
        ExpectEnabled(FreeControls, true);
        EXPECT_FALSE(m_dlg.m_mnuSettings->menuAction()->isEnabled());
        EXPECT_EQ(m_dlg.m_ctlProgress->maximum(), 100);
        EXPECT_EQ(m_dlg.m_edtVolume->text(), QStringLiteral("MY_DISC")) << "the members are shown";

        m_dlg.m_ctlProgress->setValue(40);
        m_dlg.setWindowTitle(QStringLiteral("40%"));
        m_dlg.RestoreIdleUi();
        EXPECT_FALSE(m_dlg.IsBusy());
        EXPECT_FALSE(Enabled("m_btnAbort"));
        ExpectEnabled(JobControls, true);
        ExpectEnabled(ChosenControls, false);
        ExpectEnabled(FreeControls, true);
        EXPECT_TRUE(m_dlg.m_mnuSettings->menuAction()->isEnabled());
        EXPECT_EQ(m_dlg.m_ctlProgress->value(), 0);
        EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Orvane Burn 1.2.0"));
        EXPECT_EQ(m_dlg.m_stcPercent->text(), QStringLiteral("0 %"));
    }
}

TEST_F(BusyStateTest, CloseIsRefusedWhileBusyAndHonouredWhenIdle)
{
    m_dlg.show();
    // A job (here a command on the recorders) holds the window busy.
    m_dlg.Jobs().Job().WhenIdle([this] {
        m_dlg.EnableBusyUi(AbortButton::Enabled);
        EXPECT_FALSE(m_dlg.close());
        m_dlg.reject();
        EXPECT_TRUE(m_dlg.isVisible());
        EXPECT_FALSE(m_dlg.HasEnded());
        m_dlg.RestoreIdleUi();
    });
    EXPECT_TRUE(m_dlg.close());
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultCancel);
}

TEST_F(BusyStateTest, EscapeAndAltF4LeaveTheWindowOpenAndQuitClosesIt)
{
    m_dlg.show();
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    QTest::keyClick(m_dlg.m_edtVolume, Qt::Key_Escape);
    QTest::keyClick(&m_dlg, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_FALSE(m_dlg.HasEnded());
    QTest::mouseClick(m_dlg.m_btnQuit, Qt::LeftButton);
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultCancel);
    EXPECT_FALSE(m_dlg.isVisible());
}

// Showing a new label changes the Volume field in the middle of an exchange;
// the label counter must not pull the controls back into members that are
// yet to be shown.
TEST(DataExchange, MembersReachTheControlsAndComeBack)
{
    ProgramFolderFixture folder;
    AnsweredWindow dlg{folder.Registry()};
    dlg.m_strVolume = QStringLiteral("NEW_LABEL");
    dlg.m_nMedia = 1;
    dlg.UpdateData(Exchange::ToControls);
    EXPECT_EQ(dlg.m_nMedia, 1);
    EXPECT_TRUE(dlg.m_btnCd->isChecked());
    EXPECT_FALSE(dlg.m_btnDvd->isChecked());
    EXPECT_EQ(dlg.m_stcLength->text(), QStringLiteral("23"));

    dlg.m_edtSourceDir->setText(QStringLiteral("/media/disc"));
    dlg.m_btnFullErase->setChecked(true);
    dlg.m_btnReallocate->setChecked(false);
    dlg.m_cmbSpeed->addItems({QStringLiteral("4x"), QStringLiteral("8x")});
    dlg.m_cmbSpeed->setCurrentIndex(1);
    dlg.UpdateData(Exchange::FromControls);
    EXPECT_EQ(dlg.m_strSourceDir, QStringLiteral("/media/disc"));
    EXPECT_EQ(dlg.m_nEraseMode, 0);
    EXPECT_EQ(dlg.m_bReallocate, 0);
    EXPECT_EQ(dlg.m_nSpeedIndex, 1);
}

// A termination signal aborts a job and closes the window once it has ended;
// without a job the window closes as Quit does.
using TerminationSignalTest = BusyStateTest;

TEST_F(TerminationSignalTest, WithoutAJobTheWindowClosesAsQuitDoes)
{
    m_dlg.OnTerminationSignal(SIGTERM);
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultCancel);
    EXPECT_TRUE(m_dlg.LogLines().contains(QStringLiteral("Signal SIGTERM received: the program closes.")));
    EXPECT_FALSE(m_dlg.RunEndedBySignal()) << "no command-line run was under way";
}

TEST_F(TerminationSignalTest, DuringAJobItAbortsAndTheWindowClosesOnceTheJobHasEnded)
{
    // A job (here a command on the recorders) runs while the signal comes.
    m_dlg.Jobs().Job().WhenIdle([this] {
        m_dlg.EnableBusyUi(AbortButton::Enabled);
        m_dlg.OnTerminationSignal(SIGINT);
        EXPECT_TRUE(m_dlg.m_bAbort) << "as the Abort button does";
        EXPECT_TRUE(
            m_dlg.LogLines().contains(QStringLiteral("Signal SIGINT received: the running job is aborted.")));
        EXPECT_FALSE(WaitFor([this] { return m_dlg.HasEnded(); }, 300)) << "not while the job runs";
        m_dlg.RestoreIdleUi();
    });
    EXPECT_TRUE(WaitFor([this] { return m_dlg.HasEnded(); }));
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultCancel);
}

// A dialog in its own event loop (here a box nobody answers) is cancelled
// first: the window does not close from under it.
TEST_F(TerminationSignalTest, AnOpenDialogIsCancelledBeforeTheWindowCloses)
{
    QTimer::singleShot(0, &m_dlg, [this] { m_dlg.OnTerminationSignal(SIGHUP); });
    QMessageBox box(QMessageBox::Question, QStringLiteral("Question"), QStringLiteral("Wait?"),
                    QMessageBox::Yes | QMessageBox::No, &m_dlg);
    box.exec();
    EXPECT_FALSE(m_dlg.HasEnded()) << "the box returned first";
    EXPECT_TRUE(WaitFor([this] { return m_dlg.HasEnded(); }));
}

// Before its burn a command-line run has no job yet: the window closes at
// once, and the run counts as ended by the signal (the program then exits
// with the aborted status).
TEST_F(TerminationSignalTest, ACommandLineRunUnderWayCountsAsEndedBySignal)
{
    m_dlg.CommandLine().Start({QStringLiteral("-d"), m_folder.Folder()});
    m_dlg.OnTerminationSignal(SIGTERM);
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_TRUE(m_dlg.RunEndedBySignal());
    m_dlg.CommandLine().Stop();
    EXPECT_EQ(m_dlg.CommandLine().ExitStatus(), runexit::Success) << "the run itself burned nothing";
}

} // namespace
