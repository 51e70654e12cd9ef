// The main window with the shipped language files: the Language command,
// texts a language lacks, and Help and F1.

#include "gui/AnsweredWindow.h"
#include "gui/HelpWindowView.h"
#include "gui/ProgramFolderFixture.h"

#include "TextIds.h"

#include "controls/CThemedIconButton.h"
#include "lang/BuiltinTexts.h"
#include "lang/CLanguageText.h"
#include "lang/HelpFile.h"
#include "lang/HelpWindow.h"
#include "lang/WindowTexts.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
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
        m_dlg.m_strAppDir = m_folder.ProgramFile();
        m_dlg.OnInitDialog();
    }

    // The shipped help pages and a stand-in for their compiled help file.
    void InstallHelp(const char *language)
    {
        const QString name = QLatin1String(language);
        ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/help/") + name,
                                        m_folder.File(QStringLiteral("help/") + name)));
        m_folder.WriteFile(name + QStringLiteral(".chm"), "compiled help");
    }
    void UseLanguage(const QString &file)
    {
        m_dlg.m_strLangFile = file;
        m_dlg.m_pLang->SetFile(m_folder.File(file));
        m_dlg.ApplyWindowTexts();
    }

    ProgramFolderFixture m_folder;
    AnsweredWindow m_dlg{m_folder.Registry()};
};

TEST(MainWindowLanguage, TheCommandAppliesTheChosenTextsAtOnceAndSavesOnlyOnOk)
{
    struct Case
    {
        const char *chosen;
        const char *button;
        const char *language; // the language afterwards
        bool saved;
    };
    const Case cases[] = {
        {"deutsch.lng", "m_btnOk", "deutsch.lng", true},
        {"deutsch.lng", "m_btnCancel", "english.lng", false}, // the texts are applied again all the same
        {".lng", "m_btnOk", ".lng", true},                    // a short name chosen here is used unchanged
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.chosen) + " " + c.button);
        ProgramFolderFixture folder;
        AnsweredWindow dlg{folder.Registry()};
        dlg.m_strAppDir = folder.ProgramFile();
        dlg.OnInitDialog();
        folder.WriteFile(QStringLiteral(".lng"), {});
        dlg.m_btnBurn->setText(QStringLiteral("changed"));

        ChooseLanguage(QLatin1String(c.chosen), c.button);
        dlg.m_actLanguage->trigger();
        CLanguageText expected;
        expected.SetFile(folder.File(QLatin1String(c.language)));
        EXPECT_EQ(dlg.m_strLangFile, QLatin1String(c.language));
        EXPECT_EQ(dlg.m_pLang->File(), expected.File());
        EXPECT_EQ(dlg.m_btnBurn->text(), expected.GetText(textid::ButtonBurn));
        EXPECT_EQ(dlg.m_grpRecorder->title(), expected.GetText(textid::GroupRecorder));
        EXPECT_EQ(dlg.findChild<QMenuBar *>()->actions().first()->text(),
                  expected.GetText(textid::MenuSettings));
        EXPECT_EQ(dlg.m_btnErase->toolTip(), expected.GetText(textid::TipErase));
        EXPECT_EQ(dlg.m_btnDvd->text(), QStringLiteral("&DVD")) << "the media radios keep their captions";
        EXPECT_EQ(QFileInfo::exists(folder.File(QStringLiteral("Orvane.ini"))), c.saved);
    }
}

// After a language that has every text, one that lacks most: nothing of the
// first may stay behind, not even a tooltip.
TEST_F(MainWindowTexts, ALanguageWithoutATextShowsTheBuiltInEnglishOne)
{
    UseLanguage(QStringLiteral("deutsch.lng"));
    m_folder.WriteFile(QStringLiteral("sparse.lng"), "734: Go\n");
    UseLanguage(QStringLiteral("sparse.lng"));
    EXPECT_EQ(m_dlg.m_btnBurn->text(), QStringLiteral("Go"));
    EXPECT_EQ(m_dlg.m_btnBurn->toolTip(), builtin::Text(textid::TipBurn));
    EXPECT_EQ(m_dlg.m_btnErase->text(), builtin::Text(textid::ButtonErase));
    EXPECT_EQ(m_dlg.findChild<QMenuBar *>()->actions().first()->text(), builtin::Text(textid::MenuSettings));
    for (const auto &row : windowtexts::MainWindowIconButtons()) {
        auto *button = m_dlg.findChild<CThemedIconButton *>(QLatin1String(row.objectName));
        ASSERT_NE(button, nullptr) << row.objectName << " draws in the style";
        EXPECT_FALSE(button->ImageSize().isEmpty()) << row.objectName;
        EXPECT_EQ(button->toolTip(), builtin::Text(row.tipId)) << row.objectName;
    }
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
    EXPECT_EQ(PageShown(*helpWindow()), QStringLiteral("index.html"));
    EXPECT_EQ(helpWindow()->Folder(), m_folder.File(QStringLiteral("help/english")));

    helpWindow()->close();
    helpWindow()->Open(helpWindow()->Folder(), QStringLiteral("settings.html"));
    QTest::keyClick(&m_dlg, Qt::Key_F1);
    EXPECT_TRUE(helpWindow()->isVisible());
    EXPECT_EQ(PageShown(*helpWindow()), QStringLiteral("index.html"));

    ChooseLanguage(QStringLiteral("deutsch.lng"), "m_btnOk");
    m_dlg.m_actLanguage->trigger();
    m_dlg.m_btnHelp->click();
    EXPECT_EQ(helpWindow()->Folder(), m_folder.File(QStringLiteral("help/deutsch")));
    EXPECT_EQ(helpWindow()->windowTitle(), m_dlg.m_pLang->GetText(960));
    EXPECT_EQ(m_dlg.findChildren<HelpWindow *>().size(), 1);
}

TEST_F(MainWindowTexts, F1InADialogOpensItsPageInAWindowTheDialogOwns)
{
    InstallHelp("english");
    const std::pair<QAction *, const char *> cases[] = {
        {m_dlg.m_actOtherSettings, helppage::OtherSettings},
        {m_dlg.m_actFsFlags, helppage::FsFlags},
        {m_dlg.m_actAudio, helppage::Audio},
        {m_dlg.m_actLanguage, helppage::Language},
    };
    for (const auto &[command, expectedPage] : cases) {
        QString page;
        bool ownedByDialog = false;
        OnNextDialog([&](QWidget *dialog) {
            QApplication::setActiveWindow(dialog); // F1 is a shortcut of the active window
            QTest::keyClick(dialog, Qt::Key_F1);
            if (auto *help = dialog->findChild<HelpWindow *>()) {
                page = PageShown(*help);
                // A window of the modal dialog's own is not blocked by it.
                ownedByDialog = help->isVisible() && help->parentWidget() == dialog;
                help->close();
            }
            static_cast<QDialog *>(dialog)->reject();
        });
        command->trigger();
        EXPECT_EQ(page, QLatin1String(expectedPage));
        EXPECT_TRUE(ownedByDialog) << expectedPage;
    }
    EXPECT_EQ(m_dlg.findChild<HelpWindow *>(), nullptr) << "the main window's own help stays closed";
}

} // namespace
