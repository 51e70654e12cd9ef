// The language dialog and command, and the window texts they re-apply.

#include "DialogFixture.h"

#include "TestEnvironment.h"

#include "controls/CIconButton.h"
#include "controls/CThemeApi.h"
#include "lang/BuiltinTexts.h"
#include "lang/CLanguageDlg.h"
#include "lang/LanguageCommand.h"
#include "lang/WindowTexts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

// Answers the next modal dialog by clicking the named button after picking a
// list entry (when given); gives up after a few seconds.
void AnswerNextDialog(const char *button, const QString &entry = {})
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 200)
            return;
        timer->stop();
        timer->deleteLater();
        if (!modal)
            return;
        if (!entry.isEmpty()) {
            auto *list = modal->findChild<QComboBox *>(QStringLiteral("m_cmbLanguage"));
            list->setCurrentIndex(list->findText(entry));
        }
        modal->findChild<QPushButton *>(QLatin1String(button))->click();
    });
    timer->start(20);
}

class LanguageCommand : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        m_window = MakeMainWindowStandIn();
        m_language = QStringLiteral("english.lng");
        m_command.owner = m_window.get();
        m_command.texts = &m_texts;
        m_command.programFolder = m_programFolder;
        m_command.language = &m_language;
        m_command.applyWindowTexts = [this] {
            ++m_applied;
            ApplyWindowTexts(*m_window, m_texts, m_theme);
        };
        m_command.saveSettings = [this] { ++m_saved; };
        m_command.applyWindowTexts();
        m_applied = 0;
    }

    QString MenuText(int index)
    {
        QAction *settings = m_window->findChild<QMenuBar *>()->actions().first();
        return index < 0 ? settings->text() : settings->menu()->actions().at(index)->text();
    }

    std::unique_ptr<QWidget> m_window;
    CThemeApi m_theme;
    QString m_language;
    LanguageCommandWindow m_command;
    int m_applied = 0;
    int m_saved = 0;
};

TEST_F(LanguageCommand, OkSwitchesCaptionsMenuAndTooltipsAtOnceAndSaves)
{
    EXPECT_EQ(CaptionOf(*m_window, "m_btnBurn"), QStringLiteral("Bur&n"));
    AnswerNextDialog("m_btnOk", QStringLiteral("deutsch.lng"));
    RunLanguageCommand(m_command);
    EXPECT_EQ(m_language, QStringLiteral("deutsch.lng"));
    EXPECT_EQ(m_applied, 1);
    EXPECT_EQ(m_saved, 1);
    EXPECT_EQ(CaptionOf(*m_window, "m_btnBurn"), QStringLiteral("Bre&nnen"));
    EXPECT_EQ(CaptionOf(*m_window, "m_grpRecorder"), QStringLiteral("Brenner"));
    EXPECT_EQ(MenuText(-1), QStringLiteral("&Einstellungen"));
    EXPECT_EQ(MenuText(2), QStringLiteral("&Sprache"));
    EXPECT_EQ(m_window->findChild<QWidget *>(QStringLiteral("m_btnBurn"))->toolTip(),
              QStringLiteral("Den DVD-Video-Ordner auf die Disc brennen"));
    // The media radios keep their template captions.
    EXPECT_EQ(CaptionOf(*m_window, "m_btnDvd"), QStringLiteral("&DVD"));
    EXPECT_EQ(CaptionOf(*m_window, "m_btnCd"), QStringLiteral("&CD"));
    EXPECT_EQ(m_texts.File(), m_programFolder + QStringLiteral("/deutsch.lng"));
}

TEST_F(LanguageCommand, CancelReappliesTheTextsAndSavesNothing)
{
    AnswerNextDialog("m_btnCancel", QStringLiteral("deutsch.lng"));
    RunLanguageCommand(m_command);
    EXPECT_EQ(m_language, QStringLiteral("english.lng"));
    EXPECT_EQ(m_applied, 1);
    EXPECT_EQ(m_saved, 0);
    EXPECT_EQ(CaptionOf(*m_window, "m_btnBurn"), QStringLiteral("Bur&n"));
}

TEST_F(LanguageCommand, ClearLogNeverShowsACaption)
{
    auto *clearLog = m_window->findChild<CIconButton *>(QStringLiteral("m_btnClearLog"));
    EXPECT_TRUE(clearLog->text().isEmpty());
    EXPECT_TRUE(clearLog->HasImage());
    QFile file(m_programFolder + QStringLiteral("/english.lng"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n754: Clear\n722: Tip\n"); // 754 is a caption elsewhere; Clear Log keeps none
    file.close();
    ApplyWindowTexts(*m_window, m_texts, m_theme);
    EXPECT_TRUE(clearLog->text().isEmpty());
    EXPECT_TRUE(clearLog->HasHoverCursor());
}

// A text the language file lacks comes from the built-in English file.
TEST_F(LanguageCommand, ALanguageWithoutATextShowsTheEnglishOne)
{
    QFile file(m_programFolder + QStringLiteral("/sparse.lng"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# only the Burn caption\n734: Go\n");
    file.close();
    UseLanguage(QStringLiteral("sparse.lng"));
    ApplyWindowTexts(*m_window, m_texts, m_theme);
    EXPECT_EQ(CaptionOf(*m_window, "m_btnBurn"), QStringLiteral("Go"));
    EXPECT_EQ(m_window->findChild<QWidget *>(QStringLiteral("m_btnBurn"))->toolTip(), builtin::Text(514));
    EXPECT_EQ(CaptionOf(*m_window, "m_btnErase"), builtin::Text(731));
    EXPECT_EQ(m_window->findChild<QMenuBar *>()->actions().first()->text(), builtin::Text(746));
}

TEST_F(LanguageCommand, EveryIconButtonGetsIconCursorAndTooltip)
{
    for (const auto &row : windowtexts::MainWindowIconButtons()) {
        auto *button = m_window->findChild<CIconButton *>(QLatin1String(row.objectName));
        EXPECT_TRUE(button->HasImage()) << row.objectName;
        EXPECT_TRUE(button->HasHoverCursor()) << row.objectName;
        EXPECT_EQ(button->toolTip(), m_texts.GetText(row.tipId)) << row.objectName;
        EXPECT_EQ(button->Theme(), &m_theme) << row.objectName;
    }
}

using LanguageDialog = DialogFixture;

TEST_F(LanguageDialog, ListsTheFilesSortedAndPreselectsByPrefix)
{
    for (const char *name : {"Zulu.lng", "alpha.lng", "notes.txt"})
        QFile(m_programFolder + QLatin1Char('/') + QLatin1String(name)).open(QIODevice::WriteOnly);
    const QStringList files = CLanguageDlg::LanguageFiles(m_programFolder);
    EXPECT_EQ(files, QStringList({"alpha.lng", "deutsch.lng", "english.lng", "Zulu.lng"}));
    EXPECT_EQ(CLanguageDlg::PreselectedIndex(files, QStringLiteral("ENGLISH.LNG")), 2);
    EXPECT_EQ(CLanguageDlg::PreselectedIndex(files, QStringLiteral("deu")), 1);
    EXPECT_EQ(CLanguageDlg::PreselectedIndex(files, QStringLiteral("klingon.lng")), 0);
    EXPECT_EQ(CLanguageDlg::PreselectedIndex({}, QStringLiteral("english.lng")), -1);

    CLanguageDlg dialog(&m_texts);
    dialog.SetFolder(m_programFolder);
    dialog.SetCurrent(QStringLiteral("deutsch.lng"));
    dialog.show();
    auto *list = dialog.findChild<QComboBox *>(QStringLiteral("m_cmbLanguage"));
    EXPECT_EQ(list->currentText(), QStringLiteral("deutsch.lng"));
    EXPECT_EQ(dialog.windowTitle(), m_texts.GetText(810));
    EXPECT_EQ(CaptionOf(dialog, "m_grpLanguage"), m_texts.GetText(762));
    EXPECT_EQ(CaptionOf(dialog, "m_btnOk"), QStringLiteral("OK"));
    list->setCurrentIndex(0);
    dialog.findChild<QPushButton *>(QStringLiteral("m_btnOk"))->click();
    EXPECT_EQ(dialog.Chosen(), QStringLiteral("alpha.lng"));
    EXPECT_EQ(dialog.m_bChanged, 1);
}

TEST_F(LanguageDialog, WithoutLanguageFilesOkKeepsTheCurrentValue)
{
    CLanguageDlg dialog(&m_texts);
    dialog.SetFolder(testenv::makeTempDir(QStringLiteral("empty")));
    dialog.SetCurrent(QStringLiteral("english.lng"));
    dialog.show();
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("m_cmbLanguage"))->count(), 0);
    dialog.findChild<QPushButton *>(QStringLiteral("m_btnOk"))->click();
    EXPECT_EQ(dialog.Chosen(), QStringLiteral("english.lng"));
}

TEST_F(LanguageDialog, AShortNameChosenInTheDialogIsUsedUnchanged)
{
    QFile(m_programFolder + QStringLiteral("/.lng")).open(QIODevice::WriteOnly);
    auto window = MakeMainWindowStandIn();
    QString language = QStringLiteral("english.lng");
    LanguageCommandWindow command{window.get(), &m_texts, m_programFolder, &language, {}, {}, {}};
    AnswerNextDialog("m_btnOk", QStringLiteral(".lng"));
    RunLanguageCommand(command);
    EXPECT_EQ(language, QStringLiteral(".lng"));
    EXPECT_EQ(m_texts.File(), m_programFolder + QStringLiteral("/.lng"));
}

} // namespace
