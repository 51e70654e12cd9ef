// The recording jobs through the real main window against the built
// NeroAPI.so, in a copied program folder with its own virtual recorders.
#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include "BoxRecorder.h"
#include "DvdVideoLayoutCheck.h"
#include "RecordingProgress.h"
#include "RecordingSoundPlayer.h"
#include "app/CBurnDlg.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/MessageBoxType.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

namespace {

using Box = BoxRecorder::Box;

// The real window with its boxes answered here and its displays watched.
class JobsWindow : public CBurnDlg
{
public:
    JobsWindow() { m_portProgress.Tap(&progress); }
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, true});
    }
    std::vector<Box> Boxes() const { return boxes.Boxes(); }
    QStringList Titles() const { return progress.Args(QStringLiteral("SetWindowTitleText")); }
    QStringList Totals() const { return progress.Args(QStringLiteral("SetTimeTotalText")); }
    bool Showed(const QString &text) const { return boxes.Showed(text) > 0; }

    BoxRecorder boxes;
    RecordingProgress progress;
};

const QByteArray FastDvdWriter = "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
                                 "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

QString SamplePath(const char *name)
{
    return QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/") + QLatin1String(name);
}

class WindowJobsTest : public testing::Test
{
protected:
    void TearDown() override
    {
        if (m_window) {
            m_window->Jobs().Job().Wait();
            m_window->DoneRecording();
            m_window.reset();
        }
        SetMachineRegistry(nullptr);
        SetProgramFolderForTesting(QString());
    }

    void Start(const QByteArray &recorders, const QStringList &settings = {})
    {
        m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"), recorders);
        m_copy.WriteFile(QStringLiteral("Orvane.ini"), settings.join(QLatin1Char('\n')).toUtf8() + "\n");
        m_registry.CreateKey(regkey::SharedKey);
        m_registry.WriteString(regkey::SharedKey, regkey::LibraryFolderValue, m_copy.Path());
        SetMachineRegistry(&m_registry);
        SetProgramFolderForTesting(m_copy.Path());
        m_window = std::make_unique<JobsWindow>();
        m_window->m_strAppDir = m_copy.Executable();
        m_window->OnInitDialog();
        ASSERT_FALSE(m_window->HasEnded()) << Log().join('\n').toStdString();
    }

    // Prepares a burn of source with a fixed label.
    void PrepareBurn(const QString &source)
    {
        m_window->m_strSourceDir = source;
        m_window->m_strVolume = QStringLiteral("TEST_DISC");
        m_window->UpdateData(false);
    }

    QStringList Log() const
    {
        const QString text = m_window->GetLogText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }
    QString Text(int id) const { return m_window->GetText(id); }
    QString Image(const char *name = "test-dvd.iso") const
    {
        return m_copy.Path() + QStringLiteral("/media/") + QLatin1String(name);
    }
    QStringList Devices() const
    {
        QStringList names;
        for (int i = 0; i < m_window->m_cmbDevice->count(); ++i)
            names << m_window->m_cmbDevice->itemText(i);
        return names;
    }

    ProgramFolderCopy m_copy;
    MemoryRegistryStore m_registry;
    std::unique_ptr<JobsWindow> m_window;
};

TEST_F(WindowJobsTest, StartUpListsTheVirtualRecordersAndPreselectsByTheDeviceSetting)
{
    Start(FastDvdWriter +
              "[Second DVD Writer]\nmedium = DVD-R blank\nfile = media/second.iso\nspeeds = 2x 4x 16x\n"
              "[Only CD Writer]\nmedium = CD-R blank\nfile = media/cd.iso\nwrites = CD\n",
          {QStringLiteral("Device: second dvd"), QStringLiteral("Speed: 1")});
    const QStringList devices = Devices();
    EXPECT_TRUE(devices.contains("Test DVD Writer"));
    EXPECT_TRUE(devices.contains("Second DVD Writer"));
    EXPECT_FALSE(devices.contains("Only CD Writer"));
    EXPECT_EQ(m_window->m_cmbDevice->currentText(), "Second DVD Writer");
    EXPECT_EQ(m_window->m_cmbSpeed->count(), 3);
    EXPECT_EQ(m_window->m_cmbSpeed->currentText(), "4.0x (5540 kB/s)");
    EXPECT_EQ(m_window->m_nSpeedIndex, 1);
    const QStringList log = Log();
    const qsizetype start = log.indexOf(Text(660));
    ASSERT_GE(start, 0);
    EXPECT_TRUE(log[start + 1].startsWith("Nero API version 6.6.")) << log[start + 1].toStdString();
    EXPECT_EQ(log[start + 2], Text(662));
    EXPECT_EQ(log[start + 3], Text(664));
    EXPECT_TRUE(log.contains("Second DVD Writer"));

    m_window->m_btnCd->click();
    EXPECT_TRUE(Devices().contains("Only CD Writer"));
    EXPECT_FALSE(Devices().contains("Second DVD Writer"));
    EXPECT_TRUE(Log().contains(Text(676)));
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(WindowJobsTest, BurnOfTheSampleWritesAnImageThatPassesTheReaderChecks)
{
    Start(FastDvdWriter, {QStringLiteral("Device: Test DVD")});
    PrepareBurn(SamplePath("dvd-with-menus"));
    RecordingSoundPlayer sound;
    m_window->Jobs().Burn().SetSoundPlayer(sound);
    m_window->m_pAudioDlg->SetAudioEnabled(1);
    m_window->m_pAudioDlg->SetSuccessWave(QStringLiteral("/sounds/done.WAV"));
    m_window->m_pAudioDlg->SetErrorWave(QStringLiteral("/sounds/failed.wav"));
    EXPECT_EQ(m_window->Jobs().Job().RunBurn(), 0) << Log().join('\n').toStdString();
    EXPECT_EQ(imagecheck::placementMismatches(Image().toStdString()), std::vector<std::string>{});
    const QStringList log = Log();
    EXPECT_TRUE(log.contains(Text(702)));
    EXPECT_TRUE(log.contains(Text(770) + " \"Test DVD Writer\""));
    EXPECT_TRUE(log.contains("Using ISO Flags: ISO UDF Realloc "));
    EXPECT_TRUE(log.contains(Text(781)));
    EXPECT_TRUE(log.contains(Text(783) + ": 8.0x (11080kB/s)"));
    EXPECT_TRUE(log.contains(Text(784)));
    EXPECT_TRUE(m_window->Showed(Text(784)));
    EXPECT_EQ(m_window->m_strStatus, Text(766));
    bool percentTitle = false;
    for (const QString &title : m_window->Titles())
        percentTitle = percentTitle || (title.endsWith(" % Orvane Burn 1.2.0") && !title.startsWith("0 %"));
    EXPECT_TRUE(percentTitle) << m_window->Titles().join('|').toStdString();
    EXPECT_EQ(m_window->windowTitle(), "Orvane Burn 1.2.0") << "idle again";
    EXPECT_EQ(sound.Played(), QStringList({"/sounds/done.WAV"}));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_FALSE(m_window->m_hDevice.IsOpen());
}

class AbortTest : public WindowJobsTest, public testing::WithParamInterface<int>
{
};

// Abort clicked while the progress moves; the question answered Yes stops
// the burn, No lets it finish.
TEST_P(AbortTest, AbortQuestionDecidesWhetherTheBurnStops)
{
    const int answer = GetParam();
    Start("[Slow DVD Writer]\nmedium = DVD+R blank\nfile = media/slow.iso\nspeeds = 1x\npacing = paced\n");
    // Large enough for a few seconds at 1x, so the progress moves before
    // the burn is over.
    const QString source = testenv::makeTempDir(QStringLiteral("source"));
    testenv::copyFolder(SamplePath("dvd-menuless"), source);
    QFile extra(source + "/EXTRA.BIN");
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly) && extra.resize(8 * 1024 * 1024));
    extra.close();
    PrepareBurn(source);
    m_window->boxes.answer = [answer](const Box &box) {
        return box.caption == QLatin1String("Error") || box.caption == QLatin1String("Info") ? int(mb::IdOk)
                                                                                             : answer;
    };
    QTimer click;
    QObject::connect(&click, &QTimer::timeout, m_window.get(), [this, &click] {
        if (m_window->m_btnAbort->isEnabled() && m_window->m_ctlProgress->value() > 0) {
            click.stop();
            m_window->m_btnAbort->click();
        }
    });
    click.start(50);
    const int result = m_window->Jobs().Job().RunBurn();
    if (answer == mb::IdYes) {
        EXPECT_EQ(result, 6) << Log().join('\n').toStdString();
        EXPECT_TRUE(Log().contains(Text(791)));
        EXPECT_EQ(m_window->m_strStatus, Text(791));
    } else {
        EXPECT_EQ(result, 0) << Log().join('\n').toStdString();
        EXPECT_TRUE(Log().contains(Text(784)));
    }
    EXPECT_TRUE(m_window->Showed(Text(825))) << "the question was asked";
    EXPECT_FALSE(m_window->m_bAbort);
}

INSTANTIATE_TEST_SUITE_P(Answers, AbortTest, testing::Values(int(mb::IdYes), int(mb::IdNo)));

TEST_F(WindowJobsTest, FolderWithoutVideoTsIfoFailsWithoutABurnOrASuccess)
{
    Start(FastDvdWriter);
    const QString source = testenv::makeTempDir(QStringLiteral("source"));
    testenv::copyFolder(SamplePath("dvd-menuless"), source);
    ASSERT_TRUE(QFile::remove(source + "/VIDEO_TS/VIDEO_TS.IFO"));
    PrepareBurn(source);
    EXPECT_EQ(m_window->Jobs().Job().RunBurn(), jobs::RunBurnCompilationFailed);
    EXPECT_EQ(m_window->m_strStatus, Text(793));
    EXPECT_FALSE(m_window->Showed(Text(784)));
    EXPECT_FALSE(Log().contains(Text(784)));
    EXPECT_FALSE(QFile::exists(Image())) << "nothing was burned";
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(WindowJobsTest, DamagedIfoWithReallocationEndsWithResult3AndTheProblemFlag)
{
    Start(FastDvdWriter);
    const QString source = testenv::makeTempDir(QStringLiteral("source"));
    testenv::copyFolder(SamplePath("dvd-menuless"), source);
    QFile ifo(source + "/VIDEO_TS/VIDEO_TS.IFO");
    ASSERT_TRUE(ifo.open(QIODevice::ReadWrite));
    ifo.write(QByteArray(ifo.size(), '\x5a'));
    ifo.close();
    PrepareBurn(source);
    m_window->m_bReallocProblem = 1; // left from an earlier burn: cleared when the burn starts
    m_window->m_bReallocate = 1;
    EXPECT_EQ(m_window->Jobs().Job().RunBurn(), 3);
    EXPECT_EQ(m_window->m_bReallocProblem, 1);
    EXPECT_TRUE(Log().contains("===> DVD-Video files reallocation failed"));
    EXPECT_FALSE(Log().contains(Text(788)));
    // The DVD-Video check saw the damage first; its question, answered Yes,
    // is the only box.
    ASSERT_EQ(m_window->Boxes().size(), 1u);
    EXPECT_EQ(m_window->Boxes()[0].text, Text(992));
}

TEST_F(WindowJobsTest, DiscStillUsedAfterTheEraseStopsTheBurnInsteadOfErasingAgain)
{
    Start("[RW Writer]\nmedium = DVD+RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n");
    PrepareBurn(SamplePath("dvd-menuless"));
    EXPECT_EQ(m_window->Jobs().Burn().RunBurnAfterErase(), jobs::RunBurnStillNotBlank);
    EXPECT_TRUE(Log().contains(Text(906)));
    EXPECT_FALSE(Log().contains(Text(779) + " DVD+RW")) << "no second erase";
    EXPECT_EQ(m_window->m_strStatus, Text(786));
    ASSERT_EQ(m_window->Boxes().size(), 1u);
    EXPECT_EQ(m_window->Boxes()[0].text, Text(906));
    EXPECT_FALSE(m_window->m_hDevice.IsOpen());
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(WindowJobsTest, UsedDvdRwIsErasedQuicklyWithTheClockRunningAndThenBurned)
{
    Start("[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n"
          "erase-time-scale = 0.001\n");
    PrepareBurn(SamplePath("dvd-menuless"));
    m_window->m_nEraseMode = 0;
    m_window->m_bEraseInteractive = 1;
    EXPECT_EQ(m_window->Jobs().Job().RunBurn(), 0) << Log().join('\n').toStdString();
    EXPECT_EQ(m_window->m_nEraseMode, 1) << "an erase for a burn is quick";
    const QStringList log = Log();
    const qsizetype erased = log.indexOf(Text(779) + " DVD-RW");
    ASSERT_GE(erased, 0) << log.join('\n').toStdString();
    EXPECT_GT(log.indexOf(Text(799)), erased);
    EXPECT_GT(log.indexOf(Text(784)), log.indexOf(Text(799)));
    EXPECT_TRUE(m_window->Showed(Text(642)));
    EXPECT_FALSE(m_window->Showed(Text(800))) << "no erase box for a burn";
    EXPECT_TRUE(m_window->Showed(Text(784)));
    EXPECT_FALSE(m_window->Totals().isEmpty()) << "the erase clock ran";
    EXPECT_EQ(imagecheck::placementMismatches(Image("rw.iso").toStdString()), std::vector<std::string>{});
}

TEST_F(WindowJobsTest, EraseButtonPassesFullAndQuickModesAndReportsInBoxes)
{
    const QByteArray writer = "[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\n"
                              "pacing = full-speed\ncapacity = 400000\nerase-time-scale = 0.01\n";
    Start(writer);
    QStringList estimates;
    for (const int mode : {0, 1}) {
        // The same written disc for each mode.
        m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"),
                         writer + "#" + QByteArray::number(mode) + "\n");
        m_window->m_nEraseMode = mode;
        m_window->UpdateData(false);
        m_window->m_btnErase->click();
        EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
        EXPECT_EQ(m_window->m_nEraseMode, mode);
    }
    for (const QString &line : Log())
        if (line.startsWith(Text(798).section('%', 0, 0)))
            estimates << line;
    ASSERT_EQ(estimates.size(), 2) << Log().join('\n').toStdString();
    EXPECT_NE(estimates[0], estimates[1]) << "full and quick erase reach the library";
    EXPECT_TRUE(m_window->Showed(Text(642)));
    int finishedBoxes = 0;
    for (const Box &box : m_window->Boxes())
        finishedBoxes += box.application && box.text == Text(800);
    EXPECT_EQ(finishedBoxes, 2);
    EXPECT_TRUE(Log().contains(Text(766)));
    EXPECT_FALSE(m_window->IsBusy());
}

// The clock stops when the erase ends, not when the person reads the box:
// a box left open past the estimate brings no "Timeout Error".
TEST_F(WindowJobsTest, EraseFinishedBoxLeftOpenBringsNoTimeout)
{
    Start("[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n"
          "erase-time-scale = 0.05\n");
    m_window->Jobs().Erase().Clock().SetTick(std::chrono::milliseconds(10));
    m_window->boxes.answer = [this](const Box &box) {
        if (box.text == Text(800))
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        return (box.type & mb::ButtonsMask) == mb::YesNo ? mb::IdYes : mb::IdOk;
    };
    m_window->m_nEraseMode = 0;
    m_window->UpdateData(false);
    m_window->m_btnErase->click();
    EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
    m_window->Jobs().Erase().Clock().Join();
    EXPECT_TRUE(m_window->Showed(Text(800))) << Log().join('\n').toStdString();
    EXPECT_FALSE(m_window->Showed(Text(806)));
}

TEST_F(WindowJobsTest, FailedEraseIsReportedAsAFailureWithoutTheFinishedText)
{
    Start("[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\npacing = full-speed\n"
          "erase-time-scale = 0\n");
    // A folder where the disc image should be: the recorder cannot erase it.
    QFile::remove(Image("rw.iso"));
    ASSERT_TRUE(QDir().mkpath(Image("rw.iso")));
    m_window->m_btnErase->click();
    EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
    const QString failed = FormatText(Text(902), {ERASE_FAILED});
    EXPECT_TRUE(Log().contains(failed)) << Log().join('\n').toStdString();
    EXPECT_FALSE(Log().contains(Text(800)));
    EXPECT_FALSE(m_window->Showed(Text(800)));
    EXPECT_TRUE(m_window->Showed(failed));
    EXPECT_TRUE(Log().contains(Text(766)));
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(WindowJobsTest, EjectWithAndWithoutARecorder)
{
    Start(FastDvdWriter);
    const qsizetype lines = Log().size();
    m_window->m_btnEject->click();
    m_window->m_cmbDevice->setCurrentIndex(-1);
    m_window->m_btnEject->click();
    EXPECT_EQ(Log().size(), lines);
    EXPECT_TRUE(m_window->Boxes().empty());
}

} // namespace
