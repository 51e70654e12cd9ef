// Start-up of the main window: settings, language file, recording set-up,
// status line, title and the command-line run.
#include "AppTestSupport.h"

#include "TestEnvironment.h"
#include "platform/MessageBoxType.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    void Start(const QStringList &arguments = {})
    {
        m_dlg.m_strAppDir = m_folder.ProgramFile();
        m_dlg.m_arguments = arguments;
        m_dlg.OnInitDialog();
    }

    ProgramFolderFixture m_folder;
    TestBurnDlg m_dlg;
};

TEST_F(StartupTest, MissingSettingsFileIsLoggedWithItsPathBeforeTheRecordingSetUp)
{
    Start();
    const QString settingsPath = m_folder.Folder() + QStringLiteral("/Orvane.ini");
    const QStringList expected{QStringLiteral("Settings file %1 not found").arg(settingsPath),
                               QStringLiteral("Setting up the recorders"),
                               QStringLiteral("No recording library")};
    EXPECT_EQ(LogLines(m_dlg), expected);
    EXPECT_EQ(m_dlg.m_strAppDir, m_folder.Folder());
}

TEST_F(StartupTest, WithoutRecordingLibraryTheWindowEndsWithMinusOneAfterTheErrorBox)
{
    Start();
    const std::vector<ShownBox> boxes = m_dlg.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The recording library could not be loaded"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes[0].type & mb::IconMask, unsigned(mb::IconStop));
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultFailed);
}

TEST_F(StartupTest, DoModalReturnsTheFailureWithoutEnteringTheLoop)
{
    m_dlg.m_strAppDir = m_folder.ProgramFile();
    EXPECT_EQ(m_dlg.DoModal(), CBurnDlg::ResultFailed);
}

TEST_F(StartupTest, StatusLineAndTitleAfterStartUp)
{
    Start();
    EXPECT_EQ(m_dlg.m_edtStatus->text(), QStringLiteral("Orvane Burn is ready"));
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Orvane Burn 1.2.0"));
    EXPECT_EQ(m_dlg.m_stcPercent->text(), QStringLiteral("0 %"));
    EXPECT_EQ(m_dlg.m_stcTimeLeft->text(), QStringLiteral("--:--"));
    EXPECT_EQ(m_dlg.m_stcTimeTotal->text(), QStringLiteral("--:--"));
}

TEST_F(StartupTest, NoCommandLineRunStartsOnceTheWindowHasEnded)
{
    QSignalSpy runs(&m_dlg, &CBurnDlg::commandLineRunRequested);
    Start({QStringLiteral("-d"), QStringLiteral("/media/dvd")});
    EXPECT_EQ(runs.count(), 0);
    EXPECT_FALSE(LogLines(m_dlg).contains(QStringLiteral("Command line run")));
}

TEST_F(StartupTest, SettingsAreReadBeforeTheLanguageAndTheRecorders)
{
    m_folder.WriteSettings({QStringLiteral("MediaType: 1"), QStringLiteral("BurnFlags: 440"),
                            QStringLiteral("DefaultSourceDir: /media/dvd"), QStringLiteral("Speed: 3")});
    Start();
    EXPECT_EQ(m_dlg.m_nMedia, 1);
    EXPECT_TRUE(m_dlg.m_btnCd->isChecked());
    EXPECT_EQ(m_dlg.m_bVerify, 1);
    EXPECT_TRUE(m_dlg.m_btnVerify->isChecked());
    EXPECT_EQ(m_dlg.m_edtSourceDir->text(), QStringLiteral("/media/dvd"));
    EXPECT_EQ(LogLines(m_dlg).value(0), QStringLiteral("Setting up the recorders"));
}

struct LanguageCase
{
    const char *setting;
    const char *expectedFile;
};

class LanguageNameTest : public StartupTest, public ::testing::WithParamInterface<LanguageCase>
{
};

TEST_P(LanguageNameTest, ShortNamesFallBackToEnglish)
{
    m_folder.WriteFile(QStringLiteral("a.lng"), QStringLiteral("652 five characters\n"));
    m_folder.WriteFile(QStringLiteral("xy.lng"), QStringLiteral("652 six characters\n"));
    m_folder.WriteSettings({QStringLiteral("Language: ") + QLatin1String(GetParam().setting)});
    Start();
    EXPECT_EQ(m_dlg.m_strLangFile, QLatin1String(GetParam().expectedFile));
    const QString expectedStatus =
        m_dlg.m_strLangFile == QLatin1String("english.lng") ? QStringLiteral("Orvane Burn is ready")
        : m_dlg.m_strLangFile == QLatin1String("a.lng")     ? QStringLiteral("five characters")
                                                            : QStringLiteral("six characters");
    EXPECT_EQ(m_dlg.m_edtStatus->text(), expectedStatus);
}

INSTANTIATE_TEST_SUITE_P(Names, LanguageNameTest,
                         ::testing::Values(LanguageCase{"", "english.lng"},
                                           LanguageCase{"b.ln", "english.lng"},
                                           LanguageCase{"a.lng", "a.lng"}, LanguageCase{"xy.lng", "xy.lng"}));

// A Language value that is no plain .lng name in the program folder, or
// names no regular file there, reads as a missing file: the built-in texts,
// neither the program folder's english.lng nor what the value points at.
TEST_F(StartupTest, LanguageValuesThatNameNoLanguageFileInTheFolderReadAsMissing)
{
    const QString outside = QFileInfo(m_folder.Folder()).path() + QStringLiteral("/outside.lng");
    QFile file(outside);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("652 outside\n");
    file.close();
    ASSERT_EQ(::mkfifo((m_folder.Folder() + QStringLiteral("/fifo.lng")).toLocal8Bit().constData(), 0600), 0);

    for (const char *setting : {"../outside.lng", "../../../../../../../dev/zero", "fifo.lng"}) {
        TestBurnDlg dlg;
        m_folder.WriteSettings({QStringLiteral("Language: ") + QLatin1String(setting)});
        dlg.m_strAppDir = m_folder.ProgramFile();
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.m_strLangFile, QLatin1String(setting)) << "the setting itself is kept";
        const QString status = dlg.m_edtStatus->text();
        EXPECT_TRUE(status.startsWith(QStringLiteral("Orvane Burn - ")))
            << setting << ": " << status.toStdString();
    }
}

} // namespace

namespace {

class SourceFolderStartupTest : public StartupTest
{
protected:
    QString MakeSource()
    {
        const QString folder = testenv::makeTempDir(QStringLiteral("src")) + QStringLiteral("/MY_MOVIE");
        QDir().mkpath(folder + QStringLiteral("/VIDEO_TS"));
        QFile file(folder + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2048, '\0'));
        return folder;
    }
};

TEST_F(SourceFolderStartupTest, TheDefaultFolderGivesTheLabelWithoutACommandLine)
{
    m_folder.WriteSettings({QStringLiteral("DefaultSourceDir: ") + MakeSource()});
    Start();
    EXPECT_EQ(m_dlg.m_strVolume, QStringLiteral("MY_MOVIE"));
    EXPECT_EQ(m_dlg.m_edtVolume->text(), QStringLiteral("MY_MOVIE"));
    EXPECT_EQ(m_dlg.m_stcLength->text(), QStringLiteral("24"));
}

TEST_F(SourceFolderStartupTest, WithACommandLineTheDefaultFolderIsNotTakenOver)
{
    m_folder.WriteSettings({QStringLiteral("DefaultSourceDir: ") + MakeSource()});
    Start({QStringLiteral("-d"), QStringLiteral("/elsewhere")});
    EXPECT_EQ(m_dlg.m_strVolume, QStringLiteral("UNDEFINED"));
}

TEST_F(StartupTest, SettingsDialogClosedWithOkSavesTheSettingsFile)
{
    Start();
    QTimer::singleShot(50, [] {
        if (QWidget *dialog = QApplication::activeModalWidget())
            QMetaObject::invokeMethod(dialog, "accept");
    });
    m_dlg.m_actFsFlags->trigger();
    QFile saved(m_folder.Folder() + QStringLiteral("/Orvane.ini"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("FSFlags: 58"));
}

TEST_F(StartupTest, SettingsDialogCancelledSavesNothing)
{
    Start();
    QTimer::singleShot(50, [] {
        if (QWidget *dialog = QApplication::activeModalWidget())
            QMetaObject::invokeMethod(dialog, "reject");
    });
    m_dlg.m_actOtherSettings->trigger();
    EXPECT_FALSE(QFile::exists(m_folder.Folder() + QStringLiteral("/Orvane.ini")));
}

} // namespace
