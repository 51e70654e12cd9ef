// The About box's texts and links, which help Help opens, and the help
// window itself.

#include "DialogFixture.h"
#include "gui/DesktopUrls.h"
#include "gui/HelpWindowView.h"

#include "TestEnvironment.h"
#include "TextIds.h"

#include "controls/CAboutDlg.h"
#include "controls/CIconButton.h"
#include "controls/CUrlLabel.h"
#include "controls/LinkOpening.h"
#include "lang/HelpFile.h"
#include "lang/HelpWindow.h"
#include "platform/TextFormat.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

namespace {

using AboutBox = DialogFixture;

class RecordingAbout : public CAboutDlg
{
public:
    using CAboutDlg::CAboutDlg;
    QStringList errors;

protected:
    void ShowLinkError(const QString &text) override { errors << text; }
};

TEST_F(AboutBox, ShowsTheVersionLineTheLanguageTextsAndALinkError)
{
    EXPECT_EQ(CAboutDlg::VersionLine(),
              QStringLiteral(" Orvane Burn / Ver. 1.2.0 (API 6.0) Build Apr  7 2005 "));
    // No handler takes the mail link: the offscreen desktop fails to open it.
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    UseLanguage(QStringLiteral("deutsch.lng"));
    RecordingAbout about([this](int id) { return m_texts.GetText(id); });
    QTimer::singleShot(0, &about, [&about] {
        about.findChild<CUrlLabel *>(QStringLiteral("m_ctlMailLink"))->Open();
        about.accept();
    });
    about.exec();
    EXPECT_EQ(about.findChild<QGroupBox *>(QStringLiteral("m_grpVersion"))->title(),
              CAboutDlg::VersionLine());
    EXPECT_EQ(about.windowTitle(), FormatText(m_texts.GetText(textid::AboutCaption),
                                              {QStringLiteral("Orvane Burn"), QStringLiteral("1.2.0")}));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("m_stcThanks"))->text(),
              m_texts.GetText(textid::Thanks));
    EXPECT_EQ(about.findChild<QGroupBox *>(QStringLiteral("m_grpDonation"))->title(),
              m_texts.GetText(textid::AboutDonation));
    EXPECT_EQ(about.findChild<CUrlLabel *>(QStringLiteral("m_ctlHomeLink"))->Target(),
              m_texts.GetText(textid::HomePage));
    const auto *mail = about.findChild<CUrlLabel *>(QStringLiteral("m_ctlMailLink"));
    EXPECT_EQ(mail->Target(), m_texts.GetText(textid::MailLink));
    EXPECT_EQ(mail->text(), QStringLiteral("orvane-burn@example.org"));
    ASSERT_EQ(about.errors.size(), 1) << "a link that cannot be opened says so";
    EXPECT_TRUE(about.errors[0].endsWith(QStringLiteral("with the given filename extension.")));

    auto *donate = about.findChild<CIconButton *>(QStringLiteral("m_btnDonation"));
    DesktopUrls desktop;
    donate->click();
    EXPECT_EQ(desktop.opened, QList<QUrl>{linkopen::TargetUrl(m_texts.GetText(textid::DonationPage))});
    EXPECT_EQ(donate->toolTip(), m_texts.GetText(textid::DonationTip));
}

using HelpFile = DialogFixture;

TEST_F(HelpFile, PicksTheLanguagesHelpFileOrEnglish)
{
    const QString dir = m_folder.Folder();
    for (const char *name : {"deutsch.chm", "a.b.chm", "../outside.chm"})
        m_folder.WriteFile(QLatin1String(name), {});
    const std::pair<const char *, const char *> cases[] = {
        {"a.b.lng", "a.b.chm"},
        {"deutsch", "deutsch.chm"},        // no dot: the whole name
        {"../outside.lng", "english.chm"}, // never outside the folder
    };
    for (const auto &[language, help] : cases)
        EXPECT_EQ(HelpFilePath(dir, QLatin1String(language)), dir + QLatin1Char('/') + QLatin1String(help))
            << language;
}

// The help window over copies of the shipped help pages.
class HelpWindowTest : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        ASSERT_TRUE(testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/help/english"),
                                        m_folder.File(QStringLiteral("help/english"))));
        m_folder.WriteFile(QStringLiteral("english.chm"), {});
    }
    HelpWindow *Show(const QString &page, const char *language = "english.lng")
    {
        return ShowHelp(m_owner, m_texts, m_folder.Folder(), QLatin1String(language), page);
    }

    QWidget m_owner;
};

TEST_F(HelpWindowTest, ALanguageWithoutHelpShowsTheEnglishAndAMissingHelpFolderNothing)
{
    HelpWindow *window = Show(QStringLiteral("other-settings.html"), "francais.lng");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Folder(), m_folder.File(QStringLiteral("help/english")));
    EXPECT_EQ(PageShown(*window), QStringLiteral("other-settings.html"));
    EXPECT_TRUE(MissingPageLine(*window).isEmpty());

    QDir(m_folder.File(QStringLiteral("help"))).removeRecursively();
    QWidget owner;
    EXPECT_EQ(ShowHelp(owner, m_texts, m_folder.Folder(), QStringLiteral("english.lng"), QString()), nullptr);
    EXPECT_TRUE(owner.findChildren<HelpWindow *>().isEmpty());
}

TEST_F(HelpWindowTest, ContentsLinksBackAndForwardMoveBetweenPages)
{
    HelpWindow *window = Show(QString());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible() && window->isWindow());
    EXPECT_EQ(PageShown(*window), QStringLiteral("index.html"));
    EXPECT_TRUE(window->findChild<QTextBrowser *>()->toPlainText().contains(QStringLiteral("user guide")));
    QTreeWidgetItem *other = window->Contents()->topLevelItem(2)->child(1);
    ASSERT_EQ(other->text(0), QStringLiteral("Other Settings"));
    emit window->Contents()->itemClicked(other, 0);
    EXPECT_EQ(PageShown(*window), QStringLiteral("other-settings.html"));

    // A link of the page, relative to it; then one to a page that is gone.
    emit window->findChild<QTextBrowser *>()->anchorClicked(QUrl(QStringLiteral("settings.html")));
    EXPECT_EQ(PageShown(*window), QStringLiteral("settings.html"));
    EXPECT_EQ(window->Contents()->currentItem()->text(0), QStringLiteral("Settings"));
    QFile::remove(m_folder.File(QStringLiteral("help/english/language.html")));
    emit window->findChild<QTextBrowser *>()->anchorClicked(QUrl(QStringLiteral("language.html")));
    EXPECT_EQ(PageShown(*window), QStringLiteral("index.html"));
    EXPECT_TRUE(MissingPageLine(*window).contains(QStringLiteral("language.html")));

    window->Back();
    EXPECT_EQ(PageShown(*window), QStringLiteral("settings.html"));
    window->Back();
    EXPECT_EQ(PageShown(*window), QStringLiteral("other-settings.html"));
    window->Forward();
    EXPECT_EQ(PageShown(*window), QStringLiteral("settings.html"));

    // Other targets go to the desktop.
    DesktopUrls desktop;
    emit window->findChild<QTextBrowser *>()->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/"))});
    EXPECT_EQ(PageShown(*window), QStringLiteral("settings.html"));
}

} // namespace
