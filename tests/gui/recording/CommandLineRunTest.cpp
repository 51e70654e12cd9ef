// The command-line run through the real window, as a person at the window
// sees it: prepare only, the parse-error box, a run that gives up, Abort,
// and a window closed before the run's burn.
#include "JobsWindowTest.h"

#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

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
    Start(FastDvdWriter, {}, QStringLiteral("/C -Eject -o -v OWN_LABEL -d SOURCE"));
    m_window->m_btnBurn->setEnabled(false);
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    EXPECT_EQ(m_window->m_edtSourceDir->text(), m_source);
    EXPECT_EQ(m_window->m_edtVolume->text(), QStringLiteral("OWN_LABEL"));
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

// The box shows the last error's text, whatever the window's scratch text
// holds; the log lists every error; nothing is burned.
TEST_F(CommandLineRunTest, ParseErrorBoxNamesTheLastError)
{
    Start(FastDvdWriter, {}, QStringLiteral("stray -d"));
    m_window->m_strText = QStringLiteral("scratch text of an earlier message");
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    const std::vector<Box> boxes = m_window->boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text(598));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("CL parsing error!"));
    EXPECT_EQ(boxes[0].type, unsigned(mb::Ok | mb::IconStop));
    const QStringList log = Log();
    EXPECT_GT(log.indexOf(Text(598)), log.indexOf(Text(602)));
    EXPECT_GE(log.indexOf(Text(602)), 0);
    EXPECT_FALSE(Burned());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::ParseError);
}

TEST_F(CommandLineRunTest, RunThatGivesUpUnlocksTheWindowAndLeavesItOpen)
{
    Start(FastDvdWriter, {}, QStringLiteral("-d SOURCE -v BAD!NAME"));
    EXPECT_EQ(WaitForRun(), jobs::RunBurnRefusedLabel);
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_TRUE(m_window->m_btnQuit->isEnabled());
    EXPECT_TRUE(m_window->m_cmbDevice->isEnabled());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(QFile::exists(Image()));
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::LabelRefused);

    Start(FastDvdWriter, {}, QStringLiteral("-d SOURCE"));
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
    AddFiller(8 * 1024 * 1024);
    Start(SlowDvdWriter, {}, QStringLiteral("-d SOURCE"));
    QTimer click;
    AbortOnceTheProgressMoves(click);
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
        Start(FastDvdWriter, {}, QStringLiteral("-d SOURCE"));
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
