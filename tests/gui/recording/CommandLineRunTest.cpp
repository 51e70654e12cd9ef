// The command-line run through the real window, as a person at the window
// sees it: prepare only, a run that gives up, Abort,
// and a window closed before the run's burn.
#include "JobsWindowTest.h"

#include "platform/TextFormat.h"

#include <QTimer>

namespace {

class CommandLineRunTest : public JobsWindowTest
{
protected:
    int WaitForRun() { return m_window->CommandLine().WaitForRun(); }
    bool Burned() const { return Log().contains(Text(702)); }
};

// /C is -c: the options reach the window and its settings, the given label
// is kept, and the window waits for the person with Burn enabled.
TEST_F(CommandLineRunTest, PrepareOnlyFillsInTheWindowAndWaits)
{
    Start(FastDvdWriter, {}, u"/C -Eject -o -v OWN_LABEL -d SOURCE"_s);
    m_window->m_btnBurn->setEnabled(false);
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    EXPECT_EQ(m_window->m_edtSourceDir->text(), m_source);
    EXPECT_EQ(m_window->m_edtVolume->text(), u"OWN_LABEL"_s);
    EXPECT_EQ(m_window->m_pOtherDlg->m_bNoEject, 1);
    EXPECT_EQ(m_window->m_pOtherDlg->m_bNoOverwriteAsk, 1);
    EXPECT_TRUE(m_window->m_btnBurn->isEnabled());
    EXPECT_TRUE(Log().contains(FormatText(Text(644), {m_source})));
    EXPECT_FALSE(Burned());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_TRUE(m_window->boxes.Boxes().empty());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::Success);
}

TEST_F(CommandLineRunTest, RunThatGivesUpUnlocksTheWindowAndLeavesItOpen)
{
    Start(FastDvdWriter, {}, u"-d SOURCE -v BAD!NAME"_s);
    EXPECT_EQ(WaitForRun(), jobs::RunBurnRefusedLabel);
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_TRUE(m_window->m_btnQuit->isEnabled());
    EXPECT_TRUE(m_window->m_cmbDevice->isEnabled());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(QFile::exists(Image()));
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::LabelRefused);

    Start(FastDvdWriter, {}, u"-d SOURCE"_s);
    m_window->m_cmbDevice->setCurrentIndex(-1);
    EXPECT_EQ(WaitForRun(), jobs::RunBurnNoRecorder);
    EXPECT_TRUE(Log().contains(Text(908)));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(Burned());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::RecorderUnavailable);
}

// The burn runs on the worker; the window's own thread stays free, so the
// person can abort it. Yes to the question stops the burn and leaves the
// window open.
TEST_F(CommandLineRunTest, AbortDuringTheRunsBurnStopsItAndLeavesTheWindowOpen)
{
    // A few seconds at 1x, so the progress moves before the burn is over.
    QFile filler(m_source + u"/FILLER.BIN"_s);
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(8 * 1024 * 1024));
    Start("[Slow DVD Writer]\nmedium = DVD+R blank\nfile = media/test-dvd.iso\nspeeds = 1x\npacing = paced\n",
          {}, u"-d SOURCE"_s);
    QTimer click;
    QObject::connect(&click, &QTimer::timeout, m_window.get(), [this, &click] {
        if (m_window->m_btnAbort->isEnabled() && m_window->m_ctlProgress->value() > 0) {
            click.stop();
            m_window->m_btnAbort->click();
        }
    });
    click.start(50);
    EXPECT_EQ(WaitForRun(), BURN_USER_ABORT) << Log().join('\n').toStdString();
    EXPECT_TRUE(m_window->Showed(Text(825))) << "the Abort question";
    EXPECT_TRUE(Log().contains(Text(791)));
    EXPECT_EQ(m_window->m_strStatus, Text(791));
    EXPECT_FALSE(m_window->m_bAbort);
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::BurnAborted);
}

// Quit in the worker's first second ends the run before it reads the
// options; a window closed before the burn never burns through the released
// recording library.
TEST_F(CommandLineRunTest, WindowClosedBeforeTheBurnLeavesTheRecorderAlone)
{
    for (const bool stopped : {true, false}) {
        Start(FastDvdWriter, {}, u"-d SOURCE"_s);
        m_window->OnCancel();
        if (stopped)
            m_window->CommandLine().Stop();
        EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
        if (stopped) {
            EXPECT_FALSE(Log().contains(FormatText(Text(644), {m_source})));
        }
        EXPECT_FALSE(Burned());
        EXPECT_FALSE(Log().contains(Text(908)));
        EXPECT_FALSE(QFile::exists(Image()));
    }
}

} // namespace
