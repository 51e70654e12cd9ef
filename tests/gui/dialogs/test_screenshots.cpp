// Pictures of every dialog and the help window in every shipped language, written under the
// build tree (test-artifacts) so a person can look at them.

#include "DialogFixture.h"

#include "TestEnvironment.h"

#include "controls/CAboutDlg.h"
#include "lang/CLanguageDlg.h"
#include "lang/HelpFile.h"
#include "lang/HelpWindow.h"
#include "settings/CAudioDlg.h"
#include "settings/CFsFlagsDlg.h"
#include "settings/COtherSettingsDlg.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QTimer>

namespace {

class Screenshots : public DialogFixture, public ::testing::WithParamInterface<const char *>
{
protected:
    void Shoot(QDialog &dialog, const char *name)
    {
        dialog.show();
        // Texts applied while the dialog opens resize it once their layout
        // request has been handled.
        QApplication::processEvents();
        dialog.adjustSize();
        const QString path =
            testenv::artifactDir() +
            QStringLiteral("/dialog-%1-%2.png")
                .arg(QLatin1String(name), QString::fromLatin1(GetParam()).section(QLatin1Char('.'), 0, 0));
        ASSERT_TRUE(dialog.grab().save(path)) << path.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 0);
        dialog.hide();
    }
};

TEST_P(Screenshots, EveryDialog)
{
    if (!QFontMetrics(QApplication::font()).inFont(QLatin1Char('A')))
        GTEST_SKIP() << "no font to draw texts with";
    UseLanguage(QLatin1String(GetParam()));

    CFsFlagsDlg fsFlags(&m_texts);
    Shoot(fsFlags, "filesystem-flags");
    COtherSettingsDlg other(&m_texts);
    Shoot(other, "other-settings");
    CAudioDlg audio(&m_texts);
    audio.SetAudioEnabled(1);
    audio.SetSuccessWave(QStringLiteral("/usr/share/sounds/done.wav"));
    Shoot(audio, "audio");
    CLanguageDlg language(&m_texts);
    language.SetFolder(m_programFolder);
    language.SetCurrent(QLatin1String(GetParam()));
    Shoot(language, "language");

    CAboutDlg about([this](int id) { return m_texts.GetText(id); });
    QTimer::singleShot(0, &about, [&] {
        QApplication::processEvents();
        about.adjustSize();
        const QString path = testenv::artifactDir() +
                             QStringLiteral("/dialog-about-%1.png")
                                 .arg(QString::fromLatin1(GetParam()).section(QLatin1Char('.'), 0, 0));
        EXPECT_TRUE(about.grab().save(path));
        about.accept();
    });
    about.Show();
}

TEST_P(Screenshots, HelpWindow)
{
    if (!QFontMetrics(QApplication::font()).inFont(QLatin1Char('A')))
        GTEST_SKIP() << "no font to draw texts with";
    UseLanguage(QLatin1String(GetParam()));
    const QString language = QString::fromLatin1(GetParam()).section(QLatin1Char('.'), 0, 0);
    ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/help/") + language,
                                    m_programFolder + QStringLiteral("/help/") + language));
    QFile(m_programFolder + QLatin1Char('/') + language + QStringLiteral(".chm")).open(QIODevice::WriteOnly);
    QWidget owner;
    HelpWindow *help = ShowHelp(owner, m_texts, m_programFolder, QLatin1String(GetParam()),
                                QLatin1String(helppage::OtherSettings));
    ASSERT_NE(help, nullptr);
    help->Find(QStringLiteral("DVD"), HelpWindow::Direction::Forward);
    QApplication::processEvents();
    const QString path = testenv::artifactDir() + QStringLiteral("/help-window-%1.png").arg(language);
    ASSERT_TRUE(help->grab().save(path)) << path.toStdString();
    EXPECT_GT(QFileInfo(path).size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, Screenshots, ::testing::Values("english.lng", "deutsch.lng"), [](const auto &testInfo) {
        return std::string(testInfo.param).substr(0, std::string(testInfo.param).find('.'));
    });

} // namespace
