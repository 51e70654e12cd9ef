// Recording jobs and the command-line run through the real main window;
// its boxes are answered Yes to a question unless a test says otherwise.
#include "CommandWindowFixture.h"

#include "DvdVideoLayoutCheck.h"
#include "RecordingSoundPlayer.h"
#include "jobs/burn/BurnReport.h"
#include "jobs/label/SourceFieldEvents.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <chrono>
#include <thread>

namespace {

using namespace Qt::StringLiterals;

using WindowJobsTest = CommandWindowTest;
using CommandLineRunTest = CommandWindowTest;
using DvdCheckWindowTest = CommandWindowTest;

QStringList Devices(const QComboBox &list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.itemText(i);
    return names;
}

TEST_F(WindowJobsTest, StartUpListsTheVirtualRecordersAndPreselectsByTheDeviceSetting)
{
    Start(FastDvdWriter +
              "[Second DVD Writer]\nmedium = DVD-R blank\nfile = media/second.iso\nspeeds = 2x 4x 16x\n"
              "[Only CD Writer]\nmedium = CD-R blank\nfile = media/cd.iso\nwrites = CD\n",
          "Device: second dvd\nSpeed: 1");
    EXPECT_EQ(Devices(*m_window->m_cmbDevice),
              QStringList({"Test DVD Writer", "Second DVD Writer", "Image Recorder"}));
    EXPECT_EQ(m_window->m_cmbDevice->currentText(), "Second DVD Writer");
    EXPECT_EQ(m_window->m_cmbSpeed->count(), 3);
    EXPECT_EQ(m_window->m_nSpeedIndex, 1);
    EXPECT_TRUE(Log().contains("Second DVD Writer"));

    m_window->m_btnCd->click();
    EXPECT_EQ(Devices(*m_window->m_cmbDevice), QStringList({"Only CD Writer", "Image Recorder"}));
    EXPECT_TRUE(Log().contains(Text(676)));
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(WindowJobsTest, BurnOfTheSampleWritesAnImageThatPassesTheReaderChecks)
{
    Start(FastDvdWriter, "Device: Test DVD");
    PrepareBurn(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-with-menus"));
    RecordingSoundPlayer sound;
    m_window->Jobs().Burn().SetSoundPlayer(sound);
    m_window->m_pAudioDlg->SetAudioEnabled(1);
    m_window->m_pAudioDlg->SetSuccessWave(u"/sounds/done.WAV"_s);
    m_window->m_pAudioDlg->SetErrorWave(u"/sounds/failed.wav"_s);
    EXPECT_EQ(m_window->Jobs().Job().RunBurn(), 0) << Log().join('\n').toStdString();
    EXPECT_EQ(imagecheck::placementMismatches(Image().toStdString()), std::vector<std::string>{});
    const QStringList log = Log();
    for (const QString &line :
         {Text(702), Text(770) + " \"Test DVD Writer\"", QString("Using ISO Flags: ISO UDF Realloc "),
          Text(781), Text(783) + ": 8.0x (11080kB/s)", Text(784)})
        EXPECT_TRUE(log.contains(line)) << line.toStdString();
    EXPECT_TRUE(m_window->boxes.Showed(Text(784)));
    EXPECT_EQ(m_window->m_strStatus, Text(766));
    const QStringList titles = m_window->progress.Args(u"SetWindowTitleText"_s);
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [](const QString &title) {
        return title.endsWith(" % Orvane Burn 1.2.0") && !title.startsWith("0 %");
    })) << titles.join('|').toStdString();
    EXPECT_EQ(m_window->windowTitle(), "Orvane Burn 1.2.0") << "idle again";
    EXPECT_EQ(sound.Played(), QStringList({"/sounds/done.WAV"}));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_FALSE(m_window->Jobs().State().m_hDevice.IsOpen());
}

TEST_F(WindowJobsTest, DiscStillUsedAfterTheEraseStopsTheBurnInsteadOfErasingAgain)
{
    Start(UsedDvdRw);
    PrepareBurn(m_source);
    EXPECT_EQ(m_window->Jobs().Burn().RunBurnAfterErase(), jobs::RunBurnStillNotBlank);
    EXPECT_TRUE(Log().contains(Text(906)));
    EXPECT_FALSE(Log().contains(Text(779) + " DVD-RW")) << "no second erase";
    EXPECT_EQ(m_window->m_strStatus, Text(786));
    ASSERT_EQ(m_window->boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_window->boxes.Boxes()[0].text, Text(906));
    EXPECT_FALSE(m_window->Jobs().State().m_hDevice.IsOpen());
    EXPECT_FALSE(m_window->IsBusy());
}

// An Abort before the erase, while the folder is walked or while the
// overwrite question is open, means no erase and no burn: the used disc and
// its state stay as they were, and a log that said the disc is erased first
// says that nothing was.
TEST_F(WindowJobsTest, AbortBeforeTheEraseLeavesTheUsedDiscAsItWas)
{
    for (const int abortAt : {694, 642}) {
        SCOPED_TRACE(abortAt);
        QDir().mkpath(m_copy.File(u"media"_s));
        m_copy.WriteFile(u"media/rw.iso"_s, QByteArray(64 * 2048, '\xab'));
        QFile::remove(Image("rw.iso") + u".state"_s);
        Start(UsedDvdRw + "erase-time-scale = 0.001\n");
        PrepareBurn(m_source);
        const auto snapshot = [this] {
            QFile medium(Image("rw.iso")), state(Image("rw.iso") + u".state"_s);
            return (medium.open(QIODevice::ReadOnly) ? medium.readAll() : QByteArray("(none)")) + "|" +
                   (state.open(QIODevice::ReadOnly) ? state.readAll() : QByteArray("(none)"));
        };
        const QByteArray before = snapshot();
        // The Abort button, pressed at that moment.
        m_window->textProbe = [this, abortAt](int id) {
            if (id == abortAt)
                m_window->m_bAbort = true;
        };
        EXPECT_EQ(m_window->Jobs().Job().RunBurn(), BURN_USER_ABORT) << Log().join('\n').toStdString();
        m_window->textProbe = {};
        EXPECT_EQ(snapshot(), before);
        EXPECT_FALSE(Log().contains(Text(799))) << "no erase finished";
        EXPECT_EQ(Log().contains(Text(779) + " DVD-RW"), Log().contains(Text(1046)));
        EXPECT_FALSE(m_window->m_bAbort);
        Close();
    }
}

TEST_F(WindowJobsTest, UsedDvdRwIsErasedQuicklyAfterOneQuestionAndThenBurned)
{
    Start(UsedDvdRw + "erase-time-scale = 0.001\n");
    PrepareBurn(m_source);
    m_window->m_nEraseMode = 0;
    m_window->Jobs().State().m_bEraseInteractive = 1;
    EXPECT_EQ(m_window->Jobs().Job().RunBurn(), 0) << Log().join('\n').toStdString();
    EXPECT_EQ(m_window->m_nEraseMode, 1) << "an erase for a burn is quick";
    EXPECT_TRUE(Log().contains(Text(779) + " DVD-RW")) << Log().join('\n').toStdString();
    EXPECT_EQ(m_window->boxes.Showed(Text(642)), 1) << "the overwrite question is asked once";
    EXPECT_FALSE(m_window->boxes.Showed(Text(800))) << "no erase box for a burn";
    EXPECT_TRUE(m_window->boxes.Showed(Text(784)));
}

TEST_F(WindowJobsTest, EraseButtonPassesFullAndQuickModesAndReportsInBoxes)
{
    const QByteArray writer = UsedDvdRw + "capacity = 400000\nerase-time-scale = 0.01\n";
    Start(writer);
    for (const int mode : {0, 1}) {
        // The same written disc for each mode.
        m_copy.WriteFile(u"virtual-recorders.conf"_s, writer + "#" + QByteArray::number(mode) + "\n");
        m_window->m_nEraseMode = mode;
        m_window->UpdateData(Exchange::ToControls);
        m_window->m_btnErase->click();
        EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
        EXPECT_EQ(m_window->m_nEraseMode, mode);
    }
    const QStringList estimates =
        Log().filter(QRegularExpression(u'^' + QRegularExpression::escape(Text(798).section('%', 0, 0))));
    ASSERT_EQ(estimates.size(), 2) << Log().join('\n').toStdString();
    EXPECT_NE(estimates[0], estimates[1]) << "full and quick erase reach the library";
    EXPECT_TRUE(m_window->boxes.Showed(Text(642)));
    const std::vector<Box> boxes = m_window->boxes.Boxes();
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(),
                            [this](const Box &box) { return box.application && box.text == Text(800); }),
              2);
    EXPECT_TRUE(Log().contains(Text(766)));
    EXPECT_FALSE(m_window->IsBusy());
}

// The clock stops when the erase ends, not when the person reads the box:
// a box left open past the estimate brings no "Timeout Error".
TEST_F(WindowJobsTest, EraseFinishedBoxLeftOpenBringsNoTimeout)
{
    Start(UsedDvdRw + "erase-time-scale = 0.05\n");
    m_window->Jobs().Erase().Clock().SetTick(std::chrono::milliseconds(10));
    m_window->boxes.answer = [this](const Box &box) {
        if (box.text == Text(800))
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        return (box.type & mb::ButtonsMask) == mb::YesNo ? mb::IdYes : mb::IdOk;
    };
    m_window->m_nEraseMode = 0;
    m_window->UpdateData(Exchange::ToControls);
    m_window->m_btnErase->click();
    EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
    m_window->Jobs().Erase().Clock().Join();
    EXPECT_TRUE(m_window->boxes.Showed(Text(800))) << Log().join('\n').toStdString();
    EXPECT_FALSE(m_window->boxes.Showed(Text(806)));
}

TEST_F(WindowJobsTest, FailedEraseIsReportedAsAFailureWithoutTheFinishedText)
{
    Start(UsedDvdRw + "erase-time-scale = 0\n");
    // A folder where the disc image should be: the recorder cannot erase it.
    QFile::remove(Image("rw.iso"));
    ASSERT_TRUE(QDir().mkpath(Image("rw.iso")));
    m_window->m_btnErase->click();
    EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
    const QString failed = FormatText(Text(902), {ERASE_FAILED});
    // The library's reason follows, in the log and in the box.
    const QString cause =
        u"The erase failed: The medium file of RW Writer "_s + Image("rw.iso") + u" is not a file"_s;
    EXPECT_TRUE(Log().contains(failed)) << Log().join('\n').toStdString();
    EXPECT_TRUE(Log().join('\n').contains(cause)) << Log().join('\n').toStdString();
    EXPECT_FALSE(Log().contains(Text(800)));
    EXPECT_FALSE(m_window->boxes.Showed(Text(800)));
    EXPECT_EQ(m_window->boxes.Showed(failed + u'\n' + cause + u"; the disc cannot be changed"_s), 1);
    EXPECT_TRUE(Log().contains(Text(766)));
    EXPECT_FALSE(m_window->IsBusy());
}

// The DVD-Video check runs in the background after a folder is dropped.
TEST_F(DvdCheckWindowTest, DroppedFolderIsCheckedInTheBackground)
{
    Start(FastDvdWriter);
    // The copy's video manager names a second title set that is not there.
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
        QFile file(m_source + QStringLiteral("/VIDEO_TS/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(0x3F));
        file.write("\x02", 1);
    }
    const QStringList expected = {
        FormatText(Text(990), {m_source}),
        QStringLiteral("  ") +
            FormatText(Text(993), {FormatText(Text(997), {2, QStringLiteral("VTS_02_0.IFO")})})};
    OnItemsDropped({m_source}, *m_window, m_window->SourceFields());
    ASSERT_TRUE(WaitFor([&] { return Log().contains(expected.back()); }, 20000))
        << Log().join('\n').toStdString();
    const QStringList log = Log();
    EXPECT_EQ(log.mid(log.indexOf(expected.front()), 2), expected) << "one heading, the findings under it";
    EXPECT_TRUE(m_window->boxes.Boxes().empty()) << "choosing a folder asks nothing";
}

// /C is -c: the options reach the window and its settings, the given label
// is kept, and the window waits for the person with Burn enabled.
TEST_F(CommandLineRunTest, PrepareOnlyFillsInTheWindowAndWaits)
{
    Start(FastDvdWriter, {}, u"/C -Eject -o -v OWN_LABEL -d SOURCE"_s);
    m_window->m_btnBurn->setEnabled(false);
    EXPECT_EQ(m_window->CommandLine().WaitForRun(), CommandLineWorker::NoBurnResult);
    EXPECT_EQ(m_window->m_edtSourceDir->text(), m_source);
    EXPECT_EQ(m_window->m_edtVolume->text(), u"OWN_LABEL"_s);
    EXPECT_EQ(m_window->m_pOtherDlg->m_bNoEject, 1);
    EXPECT_EQ(m_window->m_pOtherDlg->m_bNoOverwriteAsk, 1);
    EXPECT_TRUE(m_window->m_btnBurn->isEnabled());
    EXPECT_TRUE(Log().contains(FormatText(Text(644), {m_source})));
    EXPECT_FALSE(Log().contains(Text(702)));
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_TRUE(m_window->boxes.Boxes().empty());
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::Success);
}

TEST_F(CommandLineRunTest, RunThatGivesUpUnlocksTheWindowAndLeavesItOpen)
{
    Start(FastDvdWriter, {}, u"-d SOURCE"_s);
    m_window->m_cmbDevice->setCurrentIndex(-1);
    EXPECT_EQ(m_window->CommandLine().WaitForRun(), jobs::RunBurnNoRecorder);
    EXPECT_TRUE(Log().contains(Text(908)));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_TRUE(m_window->m_btnQuit->isEnabled());
    EXPECT_TRUE(m_window->m_cmbDevice->isEnabled());
    EXPECT_FALSE(m_window->HasEnded());
    EXPECT_FALSE(Log().contains(Text(702)));
    EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::RecorderUnavailable);
}

// The burn runs on the worker; the window's own thread stays free, so the
// person can abort it, while it writes and while it reads the disc back.
TEST_F(CommandLineRunTest, AbortDuringTheRunsBurnOrVerifyStopsItAndLeavesTheWindowOpen)
{
    for (const bool verify : {false, true}) {
        SCOPED_TRACE(verify ? "verify" : "burn");
        // A few seconds at 1x, so the progress moves before the burn is over.
        QFile filler(m_source + u"/FILLER.BIN"_s);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(4 * 1024 * 1024));
        Start("[Slow DVD Writer]\nmedium = DVD+R blank\nfile = media/test-dvd.iso\nspeeds = 1x\npacing = "
              "paced\n",
              verify ? "BurnFlags: 440\n" : "", u"-d SOURCE"_s);
        QTimer click;
        QObject::connect(&click, &QTimer::timeout, m_window.get(), [this, &click, verify] {
            const bool verifying = Log().contains(u"=> Verifying the written data"_s);
            if (m_window->m_btnAbort->isEnabled() && m_window->m_ctlProgress->value() > 0 &&
                verifying == verify) {
                click.stop();
                m_window->m_btnAbort->click();
            }
        });
        click.start(50);
        EXPECT_EQ(m_window->CommandLine().WaitForRun(), BURN_USER_ABORT) << Log().join('\n').toStdString();
        EXPECT_TRUE(m_window->boxes.Showed(Text(825))) << "the Abort question";
        EXPECT_TRUE(Log().contains(Text(791)));
        EXPECT_EQ(m_window->m_strStatus, Text(791));
        EXPECT_FALSE(m_window->m_bAbort);
        EXPECT_FALSE(m_window->HasEnded());
        EXPECT_FALSE(m_window->IsBusy());
        EXPECT_EQ(m_window->CommandLine().ExitStatus(), runexit::BurnAborted);
        EXPECT_FALSE(QFile::exists(Image())) << "nothing was put on the blank disc";
        Close();
    }
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
        EXPECT_EQ(m_window->CommandLine().WaitForRun(), CommandLineWorker::NoBurnResult);
        if (stopped) {
            EXPECT_FALSE(Log().contains(FormatText(Text(644), {m_source})));
        }
        EXPECT_FALSE(Log().contains(Text(702)));
        EXPECT_FALSE(Log().contains(Text(908)));
        EXPECT_FALSE(QFile::exists(Image()));
    }
}

} // namespace
