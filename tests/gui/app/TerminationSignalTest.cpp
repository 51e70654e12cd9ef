// A termination signal reaching the window: a job is aborted and the window
// closes once it has ended; without a job the window closes as Quit does.
#include "AppTestSupport.h"

#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>

namespace {

class TerminationSignalTest : public ::testing::Test
{
protected:
    ProgramFolderFixture m_folder;
    TestBurnDlg m_dlg;
};

TEST_F(TerminationSignalTest, WithoutAJobTheWindowClosesAsQuitDoes)
{
    m_dlg.OnTerminationSignal(SIGTERM);
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultCancel);
    EXPECT_TRUE(LogLines(m_dlg).contains(QStringLiteral("Signal SIGTERM received: the program closes.")));
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
            LogLines(m_dlg).contains(QStringLiteral("Signal SIGINT received: the running job is aborted.")));
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
