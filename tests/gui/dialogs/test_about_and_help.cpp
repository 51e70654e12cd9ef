// The About box's texts and links, and which help file Help opens.

#include "DialogFixture.h"

#include "TestEnvironment.h"

#include "controls/CAboutDlg.h"
#include "controls/CIconButton.h"
#include "controls/CUrlLabel.h"
#include "controls/LinkOpening.h"
#include "lang/HelpFile.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QGroupBox>
#include <QShortcut>
#include <QTest>
#include <QTimer>

namespace {

class AboutBox : public DialogFixture
{
protected:
    void TearDown() override { linkopen::SetOpener({}); }
    CAboutDlg::TextLookup Texts()
    {
        return [this](int id) { return m_texts.GetText(id); };
    }
};

class RecordingAbout : public CAboutDlg
{
public:
    using CAboutDlg::CAboutDlg;
    QStringList errors;

protected:
    void ShowLinkError(const QString &text) override { errors << text; }
};

TEST_F(AboutBox, ShowsTheVersionLineAndTheLanguageTexts)
{
    EXPECT_EQ(CAboutDlg::VersionLine(),
              QStringLiteral(" Orvane Burn / Ver. 1.2.0 (API 6.0) Build Apr  7 2005 "));
    UseLanguage(QStringLiteral("deutsch.lng"));
    CAboutDlg about(Texts());
    QTimer::singleShot(0, &about, &QDialog::accept);
    about.Show();
    EXPECT_EQ(about.m_strVersion, CAboutDlg::VersionLine());
    EXPECT_EQ(about.findChild<QGroupBox *>(QStringLiteral("m_grpVersion"))->title(),
              CAboutDlg::VersionLine());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Über Orvane Burn 1.2.0"));
    EXPECT_EQ(about.m_strThanks, m_texts.GetText(544));
    EXPECT_EQ(about.m_strTranslation, m_texts.GetText(818));
    EXPECT_EQ(about.findChild<QGroupBox *>(QStringLiteral("m_grpContact"))->title(),
              QStringLiteral("Kontakt"));
    EXPECT_EQ(about.findChild<QGroupBox *>(QStringLiteral("m_grpDonation"))->title(),
              QStringLiteral("Spende"));
    EXPECT_EQ(about.findChild<CUrlLabel *>(QStringLiteral("m_ctlHomeLink"))->Target(), m_texts.GetText(542));
    EXPECT_EQ(about.findChild<CUrlLabel *>(QStringLiteral("m_ctlMailLink"))->Target(), m_texts.GetText(540));
    EXPECT_EQ(about.findChild<CUrlLabel *>(QStringLiteral("m_ctlMailLink"))->text(),
              QStringLiteral("orvane-burn@example.org"));

    auto *donate = about.findChild<CIconButton *>(QStringLiteral("m_btnDonation"));
    EXPECT_TRUE(donate->text().isEmpty());
    EXPECT_EQ(donate->LinkTarget(), m_texts.GetText(718));
    EXPECT_EQ(donate->toolTip(), m_texts.GetText(720));
    EXPECT_EQ(donate->size(), donate->ImageSize());
    EXPECT_TRUE(donate->HasHoverCursor());
}

TEST_F(AboutBox, ALinkThatCannotBeOpenedNamesTheReason)
{
    linkopen::SetOpener([](const QUrl &) { return false; });
    QFile file(m_programFolder + QStringLiteral("/english.lng"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(("\n542: " + m_programFolder + "/no-such-page.htm\n").toUtf8()); // an earlier line wins...
    file.close();
    RecordingAbout about(Texts());
    QTimer::singleShot(0, &about, [&about] {
        about.findChild<CUrlLabel *>(QStringLiteral("m_ctlHomeLink"))
            ->SetTarget(testenv::makeTempDir(QStringLiteral("about")) + QStringLiteral("/missing.htm"));
        about.findChild<CUrlLabel *>(QStringLiteral("m_ctlHomeLink"))->Open();
        about.findChild<CUrlLabel *>(QStringLiteral("m_ctlMailLink"))->Open();
        about.accept();
    });
    about.Show();
    ASSERT_EQ(about.errors.size(), 2);
    EXPECT_TRUE(about.errors[0].endsWith(QStringLiteral("The specified file was not found.")));
    EXPECT_TRUE(about.errors[1].endsWith(QStringLiteral("with the given filename extension.")));
}

TEST_F(AboutBox, ItsTextsAreLaidOutWholeInEveryLanguage)
{
    if (!QFontMetrics(QApplication::font()).inFont(QLatin1Char('A')))
        GTEST_SKIP() << "no font to measure texts with";
    for (const char *language : {"english.lng", "deutsch.lng"}) {
        UseLanguage(QLatin1String(language));
        CAboutDlg about(Texts());
        struct Measure
        {
            QString name;
            QRect given;
            QRect needed;
        };
        QList<Measure> measured;
        QTimer::singleShot(0, &about, [&] {
            QApplication::processEvents();
            for (const char *name : {"m_stcThanks", "m_stcTranslation"}) {
                const auto *label = about.findChild<QLabel *>(QLatin1String(name));
                const QRect given = label->contentsRect();
                measured.append({QLatin1String(name), given,
                                 QFontMetrics(label->font()).boundingRect(given, Qt::TextWordWrap, label->text())});
            }
            about.accept();
        });
        about.Show();
        ASSERT_EQ(measured.size(), 2);
        for (const Measure &m : measured) {
            EXPECT_LE(m.needed.height(), m.given.height()) << language << " " << m.name.toStdString();
            EXPECT_LE(m.needed.width(), m.given.width()) << language << " " << m.name.toStdString();
        }
    }
}

using HelpFile = DialogFixture;

TEST_F(HelpFile, PicksTheLanguagesHelpFileOrEnglish)
{
    const QString dir = m_programFolder;
    for (const char *name : {"deutsch.chm", "a.b.chm"})
        QFile(dir + QLatin1Char('/') + QLatin1String(name)).open(QIODevice::WriteOnly);
    struct Case
    {
        const char *language;
        const char *help;
    };
    const Case cases[] = {
        {"deutsch.lng", "deutsch.chm"},  {"a.b.lng", "a.b.chm"},
        {"francais.lng", "english.chm"},                             // not checked for existence
        {"english.lng", "english.chm"},  {"deutsch", "deutsch.chm"}, // no dot: the whole name
    };
    for (const Case &c : cases)
        EXPECT_EQ(HelpFilePath(dir, QLatin1String(c.language)),
                  dir + QLatin1Char('/') + QLatin1String(c.help))
            << c.language;
}

TEST_F(HelpFile, HelpAndF1OpenTheFileThroughTheOpener)
{
    QList<QUrl> opened;
    const linkopen::Opener opener = [&opened](const QUrl &url) {
        opened << url;
        return true;
    };
    OpenHelp(m_programFolder, QStringLiteral("deutsch.lng"), opener);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(m_programFolder + QStringLiteral("/english.chm")));

    QWidget window;
    QString language = QStringLiteral("deutsch.lng");
    QFile(m_programFolder + QStringLiteral("/deutsch.chm")).open(QIODevice::WriteOnly);
    RouteHelpKey(window, [&] { OpenHelp(m_programFolder, language, opener); });
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(m_programFolder + QStringLiteral("/deutsch.chm")));
}

} // namespace
