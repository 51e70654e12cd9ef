// The recording jobs through the real window: recorder list, burn, the
// erase before a burn and the Erase button.
#include "JobsWindowTest.h"

#include "DvdVideoLayoutCheck.h"
#include "RecordingSoundPlayer.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"

#include <chrono>
#include <thread>

namespace {

const QByteArray UsedDvdRw = "[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\n"
                             "pacing = full-speed\n";

class WindowJobsTest : public JobsWindowTest
{
protected:
    QStringList Devices() const
    {
        QStringList names;
        for (int i = 0; i < m_window->m_cmbDevice->count(); ++i)
            names << m_window->m_cmbDevice->itemText(i);
        return names;
    }
};

TEST_F(WindowJobsTest, StartUpListsTheVirtualRecordersAndPreselectsByTheDeviceSetting)
{
    Start(FastDvdWriter +
              "[Second DVD Writer]\nmedium = DVD-R blank\nfile = media/second.iso\nspeeds = 2x 4x 16x\n"
              "[Only CD Writer]\nmedium = CD-R blank\nfile = media/cd.iso\nwrites = CD\n",
          "Device: second dvd\nSpeed: 1");
    EXPECT_EQ(Devices(), QStringList({"Test DVD Writer", "Second DVD Writer", "Image Recorder"}));
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
    EXPECT_EQ(Devices(), QStringList({"Only CD Writer", "Image Recorder"}));
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
    EXPECT_TRUE(m_window->Showed(Text(784)));
    EXPECT_EQ(m_window->m_strStatus, Text(766));
    const QStringList titles = m_window->progress.Args(u"SetWindowTitleText"_s);
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [](const QString &title) {
        return title.endsWith(" % Orvane Burn 1.2.0") && !title.startsWith("0 %");
    })) << titles.join('|').toStdString();
    EXPECT_EQ(m_window->windowTitle(), "Orvane Burn 1.2.0") << "idle again";
    EXPECT_EQ(sound.Played(), QStringList({"/sounds/done.WAV"}));
    EXPECT_FALSE(m_window->IsBusy());
    EXPECT_FALSE(m_window->m_hDevice.IsOpen());
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
    EXPECT_FALSE(m_window->m_hDevice.IsOpen());
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(WindowJobsTest, UsedDvdRwIsErasedQuicklyWithTheClockRunningAndThenBurned)
{
    Start(UsedDvdRw + "erase-time-scale = 0.001\n");
    PrepareBurn(m_source);
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
    EXPECT_FALSE(m_window->progress.Args(u"SetTimeTotalText"_s).isEmpty()) << "the erase clock ran";
    EXPECT_EQ(imagecheck::placementMismatches(Image("rw.iso").toStdString()), std::vector<std::string>{});
}

TEST_F(WindowJobsTest, EraseButtonPassesFullAndQuickModesAndReportsInBoxes)
{
    const QByteArray writer = UsedDvdRw + "capacity = 400000\nerase-time-scale = 0.01\n";
    Start(writer);
    for (const int mode : {0, 1}) {
        // The same written disc for each mode.
        m_copy.WriteFile(u"virtual-recorders.conf"_s, writer + "#" + QByteArray::number(mode) + "\n");
        m_window->m_nEraseMode = mode;
        m_window->UpdateData(false);
        m_window->m_btnErase->click();
        EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
        EXPECT_EQ(m_window->m_nEraseMode, mode);
    }
    QStringList estimates;
    for (const QString &line : Log())
        if (line.startsWith(Text(798).section('%', 0, 0)))
            estimates << line;
    ASSERT_EQ(estimates.size(), 2) << Log().join('\n').toStdString();
    EXPECT_NE(estimates[0], estimates[1]) << "full and quick erase reach the library";
    EXPECT_TRUE(m_window->Showed(Text(642)));
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
    m_window->UpdateData(false);
    m_window->m_btnErase->click();
    EXPECT_EQ(m_window->Jobs().Job().Wait(), 0);
    m_window->Jobs().Erase().Clock().Join();
    EXPECT_TRUE(m_window->Showed(Text(800))) << Log().join('\n').toStdString();
    EXPECT_FALSE(m_window->Showed(Text(806)));
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
    EXPECT_TRUE(Log().contains(failed)) << Log().join('\n').toStdString();
    EXPECT_FALSE(Log().contains(Text(800)));
    EXPECT_FALSE(m_window->Showed(Text(800)));
    EXPECT_TRUE(m_window->Showed(failed));
    EXPECT_TRUE(Log().contains(Text(766)));
    EXPECT_FALSE(m_window->IsBusy());
}

} // namespace
