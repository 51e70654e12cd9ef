// The main window with the shipped language files: every caption, menu item
// and tooltip follows the Language command at once, Help, F1 and F1 in the
// dialogs open the help window of the current language, About shows its texts, and pictures of the window in
// each language are written for people to look at.

#include "AppTestSupport.h"

#include "TestEnvironment.h"

#include "controls/CAboutDlg.h"
#include "controls/LinkOpening.h"
#include "lang/CLanguageText.h"
#include "lang/HelpFile.h"
#include "lang/HelpWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs action on the next modal dialog once it is open; gives up after a few seconds.
void OnNextDialog(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 200)
            return;
        timer->stop();
        timer->deleteLater();
        if (modal)
            action(modal);
    });
    timer->start(20);
}

void ChooseLanguage(const QString &file, const char *button)
{
    OnNextDialog([=](QWidget *dialog) {
        auto *list = dialog->findChild<QComboBox *>(QStringLiteral("m_cmbLanguage"));
        list->setCurrentIndex(list->findText(file));
        dialog->findChild<QPushButton *>(QLatin1String(button))->click();
    });
}

class MainWindowTexts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"english.lng", "deutsch.lng"}) {
            QFile shipped(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/") + QLatin1String(name));
            ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
            m_folder.WriteFile(QLatin1String(name), QString::fromUtf8(shipped.readAll()));
        }
        m_dlg.m_strAppDir = m_folder.ProgramFile();
        m_dlg.OnInitDialog();
    }
    void TearDown() override { linkopen::SetOpener({}); }

    // The shipped help pages and a stand-in for their compiled help file.
    void InstallHelp(const char *language)
    {
        const QString name = QLatin1String(language);
        ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/help/") + name,
                                        m_folder.Folder() + QStringLiteral("/help/") + name));
        m_folder.WriteFile(name + QStringLiteral(".chm"), QStringLiteral("compiled help"));
    }
    QString MenuText(int index) const
    {
        QAction *settings = m_dlg.findChild<QMenuBar *>()->actions().first();
        return index < 0 ? settings->text() : settings->menu()->actions().at(index)->text();
    }
    bool SettingsSaved() const
    {
        return QFileInfo::exists(m_folder.Folder() + QStringLiteral("/Orvane.ini"));
    }

    ProgramFolderFixture m_folder;
    TestBurnDlg m_dlg;
};

TEST_F(MainWindowTexts, LanguageSwitchChangesCaptionsMenuAndTooltipsAtOnce)
{
    EXPECT_EQ(m_dlg.m_btnBurn->text(), QStringLiteral("Bur&n"));
    EXPECT_EQ(m_dlg.m_grpRecorder->title(), QStringLiteral("Recorder"));
    EXPECT_EQ(MenuText(-1), QStringLiteral("&Settings"));
    ChooseLanguage(QStringLiteral("deutsch.lng"), "m_btnOk");
    m_dlg.m_actLanguage->trigger();
    EXPECT_EQ(m_dlg.m_strLangFile, QStringLiteral("deutsch.lng"));
    EXPECT_EQ(m_dlg.m_btnBurn->text(), QStringLiteral("Bre&nnen"));
    EXPECT_EQ(m_dlg.m_grpRecorder->title(), QStringLiteral("Brenner"));
    EXPECT_EQ(m_dlg.m_btnVerify->text(), QStringLiteral("Die Disc nach dem Schreiben &prüfen"));
    EXPECT_EQ(MenuText(-1), QStringLiteral("&Einstellungen"));
    EXPECT_EQ(MenuText(0), QStringLiteral("&Dateisystem"));
    EXPECT_EQ(m_dlg.m_btnErase->toolTip(),
              QStringLiteral("Die wiederbeschreibbare Disc im gewählten Brenner löschen"));
    EXPECT_EQ(m_dlg.m_btnDvd->text(), QStringLiteral("&DVD"));
    EXPECT_EQ(m_dlg.m_btnCd->text(), QStringLiteral("&CD"));
    EXPECT_TRUE(m_dlg.m_btnClearLog->text().isEmpty());
    EXPECT_TRUE(SettingsSaved());
}

TEST_F(MainWindowTexts, CancelReappliesTheTextsAndSavesNothing)
{
    m_dlg.m_btnBurn->setText(QStringLiteral("changed"));
    ChooseLanguage(QStringLiteral("deutsch.lng"), "m_btnCancel");
    m_dlg.m_actLanguage->trigger();
    EXPECT_EQ(m_dlg.m_strLangFile, QStringLiteral("english.lng"));
    EXPECT_EQ(m_dlg.m_btnBurn->text(), QStringLiteral("Bur&n"));
    EXPECT_FALSE(SettingsSaved());
}

TEST_F(MainWindowTexts, HelpAndF1OpenTheHelpWindowOfTheCurrentLanguage)
{
    InstallHelp("english");
    InstallHelp("deutsch");
    const auto helpWindow = [this] { return m_dlg.findChild<HelpWindow *>(); };
    m_dlg.show();
    QApplication::setActiveWindow(&m_dlg);

    m_dlg.m_btnHelp->click();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_TRUE(helpWindow()->isVisible());
    EXPECT_EQ(helpWindow()->CurrentPage(), QStringLiteral("index.html"));
    EXPECT_EQ(helpWindow()->Folder(), m_folder.Folder() + QStringLiteral("/help/english"));
    EXPECT_EQ(helpWindow()->windowTitle(), QStringLiteral("Orvane Burn Help"));

    helpWindow()->close();
    helpWindow()->Open(helpWindow()->Folder(), QStringLiteral("settings.html"));
    QTest::keyClick(&m_dlg, Qt::Key_F1);
    EXPECT_TRUE(helpWindow()->isVisible());
    EXPECT_EQ(helpWindow()->CurrentPage(), QStringLiteral("index.html"));

    ChooseLanguage(QStringLiteral("deutsch.lng"), "m_btnOk");
    m_dlg.m_actLanguage->trigger();
    m_dlg.m_btnHelp->click();
    EXPECT_EQ(helpWindow()->Folder(), m_folder.Folder() + QStringLiteral("/help/deutsch"));
    EXPECT_EQ(helpWindow()->windowTitle(), QStringLiteral("Orvane Burn Hilfe"));
    EXPECT_EQ(m_dlg.findChildren<HelpWindow *>().size(), 1);
}

TEST_F(MainWindowTexts, F1InADialogOpensItsPageInAWindowTheDialogOwns)
{
    InstallHelp("english");
    struct Case
    {
        QAction *command;
        const char *page;
    };
    const Case cases[] = {
        {m_dlg.m_actOtherSettings, helppage::OtherSettings},
        {m_dlg.m_actFsFlags, helppage::FsFlags},
        {m_dlg.m_actAudio, helppage::Audio},
        {m_dlg.m_actLanguage, helppage::Language},
    };
    for (const Case &c : cases) {
        QString page;
        bool ownedByDialog = false;
        OnNextDialog([&](QWidget *dialog) {
            QTest::keyClick(dialog, Qt::Key_F1);
            if (auto *help = dialog->findChild<HelpWindow *>()) {
                page = help->CurrentPage();
                // A window of the modal dialog's own is not blocked by it.
                ownedByDialog = help->isVisible() && help->parentWidget() == dialog;
                help->close();
            }
            static_cast<QDialog *>(dialog)->reject();
        });
        c.command->trigger();
        EXPECT_EQ(page, QLatin1String(c.page));
        EXPECT_TRUE(ownedByDialog) << c.page;
    }
    EXPECT_EQ(m_dlg.findChild<HelpWindow *>(), nullptr) << "the main window's own help stays closed";
}

TEST_F(MainWindowTexts, WithoutHelpPagesHelpShowsNothing)
{
    m_folder.WriteFile(QStringLiteral("english.chm"), QStringLiteral("compiled help without its pages"));
    m_dlg.m_btnHelp->click();
    EXPECT_EQ(m_dlg.findChild<HelpWindow *>(), nullptr);
}

TEST_F(MainWindowTexts, AboutShowsTheVersionLine)
{
    QString versionFrame, caption;
    OnNextDialog([&](QWidget *about) {
        versionFrame = about->findChild<QGroupBox *>(QStringLiteral("m_grpVersion"))->title();
        caption = about->windowTitle();
        static_cast<QDialog *>(about)->accept();
    });
    m_dlg.m_btnAbout->click();
    EXPECT_EQ(versionFrame, QStringLiteral(" Orvane Burn / Ver. 1.2.0 (API 6.0) Build Apr  7 2005 "));
    EXPECT_EQ(caption, QStringLiteral("About Orvane Burn 1.2.0"));
}

class MainWindowPicture : public MainWindowTexts, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(MainWindowPicture, IsWrittenForEachLanguage)
{
    if (std::string(GetParam()) != "english") {
        ChooseLanguage(QStringLiteral("%1.lng").arg(QLatin1String(GetParam())), "m_btnOk");
        m_dlg.m_actLanguage->trigger();
    }
    m_dlg.AppendLog(m_dlg.GetText(660));
    m_dlg.show();
    QApplication::processEvents();
    m_dlg.adjustSize();
    if (!QFontMetrics(m_dlg.font()).inFont(QLatin1Char('A')))
        GTEST_SKIP() << "no font installed: the picture would show no text";
    const QString path =
        testenv::artifactDir() + QStringLiteral("/main-window-%1.png").arg(QLatin1String(GetParam()));
    ASSERT_TRUE(m_dlg.grab().save(path, "PNG"));
    EXPECT_GT(QFileInfo(path).size(), 1000);
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowPicture, ::testing::Values("english", "deutsch"));

} // namespace
