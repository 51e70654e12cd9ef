// The command-line run through the real main window against the built
// NeroAPI.so, in a copied program folder with its own virtual recorder: the
// paths a person at the window sees (prepare only, the parse-error box, a
// run that gives up, the overwrite question) and the unattended close.
#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include "DvdVideoLayoutCheck.h"
#include "app/CBurnDlg.h"
#include "cmdline/CommandLineOptions.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/MessageBoxType.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"
#include "platform/TextFormat.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include "BoxRecorder.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>

namespace {

using Box = BoxRecorder::Box;

// The real window; its questions are answered Yes, like a person who wants
// the burn.
class RunWindow : public CBurnDlg
{
public:
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, true});
    }
    std::vector<Box> Boxes() const { return boxes.Boxes(); }
    int Asked(const QString &text) const { return boxes.Showed(text); }

    BoxRecorder boxes;
};

const QByteArray BlankDvdPlusRw = "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
                                  "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";
const QByteArray UsedDvdPlusRw = "[Test DVD Writer]\nmedium = DVD+RW written\nfile = media/test-dvd.iso\n"
                                 "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

class CommandLineRunTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // A folder name with blanks and lower case: the label is cleaned.
        m_source = testenv::makeTempDir(QStringLiteral("films")) + QStringLiteral("/my film");
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_source);
        m_desktop = testenv::makeTempDir(QStringLiteral("desktop"));
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->CommandLine().Stop();
            m_window->Jobs().Job().Wait();
            if (!m_window->HasEnded())
                m_window->DoneRecording();
            m_window.reset();
        }
        SetMachineRegistry(nullptr);
        SetProgramFolderForTesting(QString());
    }

    // Starts the window with this command line (the worker starts with it);
    // the recorder selection may be changed before the worker's first second
    // is over.
    void Start(const QByteArray &recorders, const QString &commandLine,
               Presence presence = Presence::Attended)
    {
        m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"), recorders);
        m_registry.CreateKey(regkey::SharedKey);
        m_registry.WriteString(regkey::SharedKey, regkey::LibraryFolderValue, m_copy.Path());
        m_registry.CreateKey(regkey::ShellFoldersKey);
        m_registry.WriteString(regkey::ShellFoldersKey, regkey::DesktopValue, m_desktop);
        SetMachineRegistry(&m_registry);
        SetProgramFolderForTesting(m_copy.Path());
        m_window = std::make_unique<RunWindow>();
        m_window->m_strAppDir = m_copy.Executable();
        m_window->m_arguments = Arguments(commandLine);
        m_window->CommandLine().SetPresence(presence);
        m_window->OnInitDialog();
        ASSERT_FALSE(m_window->HasEnded()) << Log().join('\n').toStdString();
        ASSERT_TRUE(m_window->CommandLine().Started());
    }

    int WaitForRun() { return m_window->CommandLine().WaitForRun(); }

    // The words of a command line as a shell splits them, SOURCE standing
    // for the sample folder (whose name holds a blank).
    QStringList Arguments(const QString &words) const
    {
        QStringList arguments = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^SOURCE$")), m_source);
        return arguments;
    }
    QStringList Log() const
    {
        const QString text = m_window->GetLogText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }
    QString Text(int id) const { return m_window->GetText(id); }
    QString Image() const { return m_copy.File(QStringLiteral("media/test-dvd.iso")); }
    bool Burned() const { return Log().contains(Text(702)); }

    ProgramFolderCopy m_copy;
    MemoryRegistryStore m_registry;
    QString m_source;
    QString m_desktop;
    std::unique_ptr<RunWindow> m_window;
};

TEST_F(CommandLineRunTest, PrepareOnlyFillsInFolderAndLabelEnablesBurnAndWaits)
{
    Start(BlankDvdPlusRw, QStringLiteral("-c -d SOURCE"));
    m_window->m_btnBurn->setEnabled(false);
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    EXPECT_EQ(m_window->m_edtSourceDir->text(), m_source);
    EXPECT_EQ(m_window->m_edtVolume->text(), QStringLiteral("MY_FILM"));
    EXPECT_TRUE(m_window->m_btnBurn->isEnabled());
    const QStringList log = Log();
    EXPECT_TRUE(log.contains(Text(654)));
    EXPECT_TRUE(log.contains(FormatText(Text(644), {m_source})));
    EXPECT_FALSE(Burned());
    EXPECT_FALSE(m_window->HasEnded()) << "the window waits for the person";
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_TRUE(m_window->Boxes().empty());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::Success);
}

TEST_F(CommandLineRunTest, GivenLabelIsKeptAndSwitchesReachTheOtherSettings)
{
    Start(BlankDvdPlusRw, QStringLiteral("/C -Eject -o -v OWN_LABEL -d SOURCE"));
    WaitForRun();
    EXPECT_EQ(m_window->m_edtVolume->text(), QStringLiteral("OWN_LABEL"));
    EXPECT_EQ(m_window->m_pOtherDlg->m_bNoEject, 1);
    EXPECT_EQ(m_window->m_pOtherDlg->m_bNoOverwriteAsk, 1);
    const QStringList log = Log();
    const qsizetype eject = log.indexOf(Text(708));
    ASSERT_GE(eject, 0);
    EXPECT_EQ(log.indexOf(Text(650)), eject + 1) << "log lines in the order of the tokens";
    EXPECT_EQ(log.indexOf(FormatText(Text(646), {QStringLiteral("OWN_LABEL")})), eject + 2);
}

struct ParseErrorCase
{
    const char *arguments; // SOURCE stands for the sample folder
    std::vector<int> loggedErrors;
};

class ParseErrorTest : public CommandLineRunTest, public testing::WithParamInterface<ParseErrorCase>
{
};

// The box shows the last error's text, whatever the window's scratch text
// holds; the log lists every error; nothing is burned.
TEST_P(ParseErrorTest, BoxNamesTheLastErrorAndNothingIsBurned)
{
    const ParseErrorCase &param = GetParam();
    Start(BlankDvdPlusRw, QString::fromLatin1(param.arguments));
    m_window->m_strText = QStringLiteral("scratch text of an earlier message");
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    const std::vector<Box> boxes = m_window->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Text(param.loggedErrors.back()));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("CL parsing error!"));
    EXPECT_EQ(boxes[0].type, unsigned(mb::Ok | mb::IconStop));
    QStringList errors;
    for (const QString &line : Log()) {
        for (int id : {598, 600, 602})
            if (line == Text(id))
                errors << QString::number(id);
    }
    QStringList expected;
    for (int id : param.loggedErrors)
        expected << QString::number(id);
    EXPECT_EQ(errors, expected);
    EXPECT_FALSE(Burned());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::ParseError);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseErrorTest,
                         testing::Values(ParseErrorCase{"-d SOURCE -v", {600}},
                                         ParseErrorCase{"stray -d SOURCE", {602}},
                                         ParseErrorCase{"stray -d", {602, 598}},
                                         ParseErrorCase{"-d -v LABEL", {598}},
                                         ParseErrorCase{"-v LABEL -d SOURCE -x -", {602, 602}}),
                         [](const testing::TestParamInfo<ParseErrorCase> &testInfo) {
                             return "Case" + std::to_string(testInfo.index);
                         });

TEST_F(CommandLineRunTest, RefusedLabelRestoresTheIdleWindowAndLeavesItOpen)
{
    Start(BlankDvdPlusRw, QStringLiteral("-d SOURCE -v BAD!NAME"));
    EXPECT_EQ(WaitForRun(), jobs::RunBurnRefusedLabel);
    EXPECT_FALSE(m_window->IsBusy()) << "a run that gives up unlocks the window";
    EXPECT_TRUE(m_window->m_btnQuit->isEnabled());
    EXPECT_TRUE(m_window->m_cmbDevice->isEnabled());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(Burned());
    EXPECT_FALSE(QFile::exists(Image()));
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::LabelRefused);
}

TEST_F(CommandLineRunTest, NoSelectedRecorderIsLoggedAndTheWindowUnlocked)
{
    Start(BlankDvdPlusRw, QStringLiteral("-d SOURCE"));
    m_window->m_cmbDevice->setCurrentIndex(-1);
    EXPECT_EQ(WaitForRun(), jobs::RunBurnNoRecorder);
    EXPECT_TRUE(Log().contains(Text(908)));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(Burned());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::RecorderUnavailable);
}

// Without -o the person is asked; after Yes the burn run hands over to the
// erase worker, and the run waits for the burn that follows before it
// writes the log file and closes the window.
TEST_F(CommandLineRunTest, ConfirmedOverwriteWaitsForTheBurnAfterTheEraseBeforeClosing)
{
    Start(UsedDvdPlusRw, QStringLiteral("-l -d SOURCE"));
    EXPECT_EQ(WaitForRun(), 0) << Log().join('\n').toStdString();
    EXPECT_GE(m_window->Asked(Text(642)), 1);
    EXPECT_TRUE(m_window->HasEnded());
    EXPECT_EQ(m_window->EndResult(), CBurnDlg::ResultCancel);
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::Success);
    EXPECT_EQ(imagecheck::placementMismatches(Image().toStdString()), std::vector<std::string>{});
    QFile logFile(m_desktop + QStringLiteral("/MY_FILM.log"));
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(logFile.readAll());
    EXPECT_TRUE(written.contains(Text(799))) << "the erase";
    EXPECT_TRUE(written.contains(Text(784))) << "the burn after the erase is over before the log is written";
}

// The burn runs on the worker; the window's own thread stays free, so the
// person can abort it. An aborted run leaves the window open.
TEST_F(CommandLineRunTest, AbortDuringTheRunsBurnStopsItAndLeavesTheWindowOpen)
{
    // Large enough for a few seconds at 1x, so the progress moves first.
    QFile extra(m_source + QStringLiteral("/EXTRA.BIN"));
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly) && extra.resize(8 * 1024 * 1024));
    extra.close();
    Start("[Slow DVD Writer]\nmedium = DVD+R blank\nfile = media/test-dvd.iso\nspeeds = 1x\npacing = paced\n",
          QStringLiteral("-d SOURCE"));
    QTimer click;
    QObject::connect(&click, &QTimer::timeout, m_window.get(), [this, &click] {
        if (m_window->m_btnAbort->isEnabled() && m_window->m_ctlProgress->value() > 0) {
            click.stop();
            m_window->m_btnAbort->click();
        }
    });
    click.start(50);
    EXPECT_EQ(WaitForRun(), BURN_USER_ABORT) << Log().join('\n').toStdString();
    EXPECT_GE(m_window->Asked(Text(825)), 1) << "the Abort question";
    EXPECT_TRUE(Log().contains(Text(791)));
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::BurnAborted);
}

struct UnattendedCase
{
    const char *arguments;
    runexit::Status status;
};

class UnattendedTest : public CommandLineRunTest, public testing::WithParamInterface<UnattendedCase>
{
};

// Nobody can answer the window: a run that does not succeed closes it the
// way Quit does.
TEST_P(UnattendedTest, RunThatCannotSucceedClosesTheWindow)
{
    Start(BlankDvdPlusRw, QString::fromLatin1(GetParam().arguments), Presence::Unattended);
    WaitForRun();
    EXPECT_TRUE(m_window->HasEnded());
    EXPECT_EQ(m_window->EndResult(), CBurnDlg::ResultCancel);
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), GetParam().status);
    EXPECT_FALSE(Burned());
}

INSTANTIATE_TEST_SUITE_P(Cases, UnattendedTest,
                         testing::Values(UnattendedCase{"stray", runexit::ParseError},
                                         UnattendedCase{"-c -d SOURCE", runexit::NothingToBurn},
                                         UnattendedCase{"-l", runexit::NothingToBurn},
                                         UnattendedCase{"-d SOURCE -v BAD!NAME", runexit::LabelRefused}),
                         [](const testing::TestParamInfo<UnattendedCase> &testInfo) {
                             return "Status" + std::to_string(int(testInfo.param.status)) + "_" +
                                    std::to_string(testInfo.index);
                         });

TEST_F(CommandLineRunTest, QuitDuringTheFirstSecondEndsTheRunBeforeItReadsTheOptions)
{
    Start(BlankDvdPlusRw, QStringLiteral("-d SOURCE"));
    m_window->OnCancel();
    m_window->CommandLine().Stop();
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    EXPECT_FALSE(Log().contains(FormatText(Text(644), {m_source})));
    EXPECT_FALSE(QFile::exists(Image()));
}

TEST_F(CommandLineRunTest, WindowClosedBeforeTheBurnLeavesTheRecorderAlone)
{
    Start(BlankDvdPlusRw, QStringLiteral("-d SOURCE"));
    m_window->OnCancel();
    EXPECT_EQ(WaitForRun(), CommandLineWorker::NoBurnResult);
    EXPECT_FALSE(Burned());
    EXPECT_FALSE(Log().contains(Text(908)));
    EXPECT_FALSE(QFile::exists(Image()));
}

} // namespace
