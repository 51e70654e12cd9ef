// Start-up of the main window: settings, language file, recording set-up,
// status line, title and the command-line run.
#include "gui/AnsweredWindow.h"
#include "gui/ProgramFolderFixture.h"

#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

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
    AnsweredWindow m_dlg{m_folder.Registry()};
};

// No command-line run starts once the window has ended.
TEST_F(StartupTest, WithoutSettingsOrRecordingLibraryTheWindowSaysSoAndEndsWithMinusOne)
{
    QSignalSpy runs(&m_dlg, &CBurnDlg::commandLineRunRequested);
    Start({QStringLiteral("-d"), QStringLiteral("/media/dvd")});
    EXPECT_EQ(runs.count(), 0);
    const QStringList expected{FormatText(m_dlg.GetText(710), {m_folder.File(QStringLiteral("Orvane.ini"))}),
                               m_dlg.GetText(660), m_dlg.GetText(604)};
    EXPECT_EQ(m_dlg.LogLines(), expected);
    EXPECT_EQ(m_dlg.m_strAppDir, m_folder.Folder());
    const std::vector<AnsweredWindow::Box> boxes = m_dlg.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, m_dlg.GetText(807));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes[0].type & mb::IconMask, unsigned(mb::IconStop));
    EXPECT_TRUE(m_dlg.HasEnded());
    EXPECT_EQ(m_dlg.EndResult(), CBurnDlg::ResultFailed);
    EXPECT_EQ(m_dlg.m_edtStatus->text(), m_dlg.GetText(652));
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Orvane Burn 1.2.0"));
    EXPECT_EQ(m_dlg.m_stcTimeLeft->text(), QStringLiteral("--:--"));

    AnsweredWindow modal{m_folder.Registry()};
    modal.m_strAppDir = m_folder.ProgramFile();
    EXPECT_EQ(modal.DoModal(), CBurnDlg::ResultFailed) << "without entering the loop";
}

// A Language value too short for a name reads as english.lng; one outside
// the program folder reads as a missing file: the built-in texts, neither the
// folder's english.lng nor what the value points at. The setting is kept.
TEST_F(StartupTest, LanguageValuesPickTheFileOrTheBuiltInTexts)
{
    m_folder.WriteFile(QStringLiteral("english.lng"), "652 Orvane Burn is ready\n");
    m_folder.WriteFile(QStringLiteral("a.lng"), "652 five characters\n");
    m_folder.WriteFile(QStringLiteral("../outside.lng"), "652 outside\n");
    const std::pair<const char *, const char *> cases[] = {
        // setting, then the language file and the status line
        {"", "english.lng"},
        {"b.ln", "english.lng"},
        {"a.lng", "a.lng"},
        {"../outside.lng", nullptr},
    };
    for (const auto &[setting, language] : cases) {
        AnsweredWindow dlg{m_folder.Registry()};
        m_folder.WriteFile(QStringLiteral("Orvane.ini"), QByteArray("Language: ") + setting + '\n');
        dlg.m_strAppDir = m_folder.ProgramFile();
        dlg.OnInitDialog();
        const QString status = dlg.m_edtStatus->text();
        if (language) {
            EXPECT_EQ(dlg.m_strLangFile, QLatin1String(language)) << setting;
            EXPECT_EQ(status, dlg.m_strLangFile == QLatin1String("a.lng")
                                  ? QStringLiteral("five characters")
                                  : QStringLiteral("Orvane Burn is ready"))
                << setting;
        } else {
            EXPECT_EQ(dlg.m_strLangFile, QLatin1String(setting));
            EXPECT_TRUE(status.startsWith(QStringLiteral("Orvane Burn - ")))
                << setting << ": " << status.toStdString();
        }
    }
}

TEST_F(StartupTest, SettingsReachTheWindowAndTheDefaultFolderGivesTheLabelOnlyWithoutACommandLine)
{
    const QString source = testenv::makeTempDir(QStringLiteral("src")) + QStringLiteral("/MY_MOVIE");
    ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), source));
    m_folder.WriteFile(QStringLiteral("Orvane.ini"),
                       "MediaType: 1\nBurnFlags: 440\nDefaultSourceDir: " + source.toUtf8() + '\n');
    Start();
    EXPECT_TRUE(m_dlg.m_btnCd->isChecked());
    EXPECT_TRUE(m_dlg.m_btnVerify->isChecked());
    EXPECT_EQ(m_dlg.m_strVolume, QStringLiteral("MY_MOVIE"));
    EXPECT_EQ(m_dlg.m_edtVolume->text(), QStringLiteral("MY_MOVIE"));
    EXPECT_EQ(m_dlg.m_stcLength->text(), QStringLiteral("24"));

    AnsweredWindow withArguments{m_folder.Registry()};
    withArguments.m_strAppDir = m_folder.ProgramFile();
    withArguments.m_arguments = {QStringLiteral("-d"), QStringLiteral("/elsewhere")};
    withArguments.OnInitDialog();
    EXPECT_EQ(withArguments.m_strVolume, QStringLiteral("UNDEFINED"));
}

TEST_F(StartupTest, ASettingsDialogClosedWithOkSavesTheSettingsFileAndCancelNothing)
{
    Start();
    const QString saved = m_folder.File(QStringLiteral("Orvane.ini"));
    for (const char *close : {"reject", "accept"}) {
        QTimer::singleShot(50, [close] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                QMetaObject::invokeMethod(dialog, close);
        });
        m_dlg.m_actFsFlags->trigger();
        EXPECT_EQ(QFile::exists(saved), close == std::string("accept")) << close;
    }
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("FSFlags: 58"));
}

// "Open with" on an image starts the window with it chosen (the start-up
// puts it into the state, as CBurnApp does), and runs nothing; a click on
// the button goes back to the folder, the next one chooses a file.
TEST_F(StartupTest, AnImageOpenedWithTheProgramIsShownChosenAndNothingRuns)
{
    const QString image = m_folder.File(QStringLiteral("film.iso"));
    QSignalSpy runs(&m_dlg, &CBurnDlg::commandLineRunRequested);
    m_dlg.Jobs().State().m_strImageFile = image;
    Start();
    EXPECT_EQ(runs.count(), 0);
    EXPECT_TRUE(m_dlg.m_btnImageFile->isChecked());
    EXPECT_EQ(m_dlg.m_btnImageFile->toolTip(), image);
    EXPECT_TRUE(m_dlg.LogLines().contains(FormatText(m_dlg.GetText(1171), {image})));

    m_dlg.m_btnImageFile->click();
    EXPECT_FALSE(m_dlg.m_btnImageFile->isChecked());
    EXPECT_TRUE(m_dlg.Jobs().State().m_strImageFile.isEmpty());
    EXPECT_EQ(m_dlg.LogLines().last(), m_dlg.GetText(1172));

    // Chosen again in the file dialog.
    m_folder.WriteFile(QStringLiteral("film.iso"), "image");
    QTimer::singleShot(50, [image] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(image);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    m_dlg.m_btnImageFile->click();
    EXPECT_EQ(m_dlg.Jobs().State().m_strImageFile, image);
    EXPECT_TRUE(m_dlg.m_btnImageFile->isChecked());
}

} // namespace
