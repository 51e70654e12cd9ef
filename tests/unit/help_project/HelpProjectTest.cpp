// Reading the help project: the table of contents of a sitemap as old help
// tools write it, the project file's start page and contents file, and the
// shipped help folders themselves.
#include "TestEnvironment.h"

#include "lang/HelpFile.h"
#include "lang/HelpProject.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// A topic tree written as "name=page[child,child]" items joined by ", ".
QString Outline(const std::vector<help::Topic> &topics)
{
    QStringList items;
    for (const help::Topic &topic : topics) {
        QString item = topic.name + QLatin1Char('=') + topic.page;
        if (!topic.children.empty())
            item += QLatin1Char('[') + Outline(topic.children) + QLatin1Char(']');
        items << item;
    }
    return items.join(QLatin1String(", "));
}

QString Entry(const char *name, const char *page)
{
    return QStringLiteral("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"%1\">"
                          "<param name=\"Local\" value=\"%2\"></OBJECT>\n")
        .arg(QLatin1String(name), QLatin1String(page));
}

TEST(HelpContents, ReadsSitemapsAsHelpToolsWriteThem)
{
    struct Case
    {
        const char *what;
        QString sitemap;
        const char *outline;
    };
    const Case cases[] = {
        {"lower case, other quotes, no quotes",
         QStringLiteral("<ul><li><object type='text/sitemap'><param name=Name value='Q &amp; A'>"
                        "<PARAM NAME=\"local\" VALUE=qa.html></object></ul>"),
         "Q & A=qa.html"},
        {"character references and backslashes",
         u"<UL>"_s + Entry("L&#246;schen &quot;x&quot; &#x263A;", "sub\\page.html") + u"</UL>"_s,
         "Löschen \"x\" \u263A=sub/page.html"},
        {"a heading without a page",
         QStringLiteral("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"H\">"
                        "</OBJECT><UL>") +
             Entry("C", "c.html") + u"</UL></UL>"_s,
         "H=[C=c.html]"},
        {"entries without a name and other objects are left out",
         QStringLiteral(
             "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"props\"></OBJECT><UL>") +
             Entry("", "nameless.html") + Entry("K", "k.html") + u"</UL>"_s,
         "K=k.html"},
        {"a list with no entry before it hands its entries up",
         u"<UL><UL>"_s + Entry("D", "d.html") + u"</UL></UL>"_s, "D=d.html"},
        {"unclosed lists", u"<UL>"_s + Entry("E", "e.html") + u"<UL>"_s + Entry("F", "f.html"),
         "E=e.html[F=f.html]"},
        {"stray closing lists", u"</UL></UL>"_s + Entry("G", "g.html"), "G=g.html"},
        {"nothing", QString(), ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Outline(help::ParseContents(c.sitemap)), QString::fromUtf8(c.outline)) << c.what;
}

TEST(HelpProjectFile, NamesTheStartPageAndTheContents)
{
    struct Case
    {
        const char *what;
        QByteArray project; // empty: no project file at all
        const char *startPage;
        const char *outline;
    };
    const Case cases[] = {
        {"both settings",
         "[OPTIONS]\r\nContents file=toc.hhc\r\nDefault topic=start.html\r\n\r\n[FILES]\r\nstart.html\r\n",
         "start.html", "T=t.html"},
        {"settings outside [OPTIONS] do not count",
         "[FILES]\nDefault topic=start.html\nContents file=toc.hhc\n", "index.html", ""},
        {"no start page named", "[OPTIONS]\nContents file=toc.hhc\n", "index.html", "T=t.html"},
        {"a contents file that is missing", "[OPTIONS]\nContents file=gone.hhc\nDefault topic=a\\b.html\n",
         "a/b.html", ""},
        {"no project file", QByteArray(), "index.html", ""},
    };
    for (const Case &c : cases) {
        const QString folder = testenv::makeTempDir(u"help"_s);
        testenv::writeFile(folder + u"/toc.hhc"_s, (u"<UL>"_s + Entry("T", "t.html") + u"</UL>"_s).toUtf8());
        if (!c.project.isEmpty())
            testenv::writeFile(folder + u"/guide.hhp"_s, c.project);
        const help::Project project = help::ReadProject(folder);
        EXPECT_EQ(project.startPage, QLatin1String(c.startPage)) << c.what;
        EXPECT_EQ(Outline(project.contents), QLatin1String(c.outline)) << c.what;
    }
}

void CollectPages(const std::vector<help::Topic> &topics, QStringList &pages)
{
    for (const help::Topic &topic : topics) {
        pages << topic.page;
        CollectPages(topic.children, pages);
    }
}

// Every page the shipped contents name, the start page and the page every
// dialog opens with F1 exist in each shipped language.
TEST(ShippedHelp, HasEveryPageItsContentsAndItsWindowsName)
{
    const QDir help(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/help"));
    const QStringList languages = help.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_TRUE(languages.contains(u"english"_s));
    for (const QString &language : languages) {
        const QString folder = help.filePath(language);
        const help::Project project = help::ReadProject(folder);
        QStringList pages{project.startPage};
        CollectPages(project.contents, pages);
        EXPECT_GE(pages.size(), 9) << language.toStdString();
        for (const char *page :
             {helppage::FsFlags, helppage::OtherSettings, helppage::Audio, helppage::Language})
            pages << QLatin1String(page);
        for (const QString &page : pages)
            EXPECT_TRUE(QFileInfo(folder + QLatin1Char('/') + page).isFile())
                << language.toStdString() << ": " << page.toStdString();
    }
}

} // namespace
