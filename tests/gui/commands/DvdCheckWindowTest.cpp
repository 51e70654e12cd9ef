// The DVD-Video check in the real main window: in the background after a
// folder is chosen, and at the start of a burn, where an error asks whether
// to burn anyway.
#include "CommandWindowFixture.h"

#include "TestEnvironment.h"

#include "jobs/label/SourceFieldEvents.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

#include <QFile>

namespace {

class DvdCheckWindowTest : public CommandWindowTest
{
protected:
    // A copy of the menu-less sample whose video manager names a second,
    // missing title set.
    QString SourceNamingAMissingSet() const
    {
        const QString source = testenv::makeTempDir(QStringLiteral("missing-set")) + QStringLiteral("/film");
        testenv::copyFolder(MenulessSample(), source);
        for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
            QFile file(source + QStringLiteral("/VIDEO_TS/") + QLatin1String(name));
            if (file.open(QIODevice::ReadWrite) && file.seek(0x3F))
                file.write("\x02", 1);
        }
        return source;
    }
    QString MissingSetLine() const
    {
        return QStringLiteral("  ") +
               FormatText(Text(993), {FormatText(Text(997), {2, QStringLiteral("VTS_02_0.IFO")})});
    }
    void AnswerCheckQuestion(int answer)
    {
        m_window->boxes.answer = [this, answer](const Box &box) {
            if (box.text == Text(992))
                return answer;
            return (box.type & mb::ButtonsMask) == mb::YesNo ? int(mb::IdYes) : int(mb::IdOk);
        };
    }
    QString Image() const { return m_copy.Path() + QStringLiteral("/media/test-dvd.iso"); }
    bool ImageWritten() const { return QFile(Image()).size() > 0; }
};

TEST_F(DvdCheckWindowTest, DroppedFolderIsCheckedInTheBackground)
{
    Start(FastDvdWriter);
    struct Case
    {
        QString folder;
        QStringList expected; // consecutive log lines
    };
    const QString bad = SourceNamingAMissingSet();
    const std::vector<Case> cases = {
        {MenulessSample(), {Text(991)}},
        {bad, {FormatText(Text(990), {bad}), MissingSetLine()}},
    };
    for (const Case &c : cases) {
        OnItemsDropped({c.folder}, *m_window, m_window->SourceFields());
        ASSERT_TRUE(WaitForCondition([&] { return Log().contains(c.expected.back()); }, 20000))
            << c.folder.toStdString() << "\n"
            << Log().join('\n').toStdString();
        const QStringList log = Log();
        const qsizetype at = log.lastIndexOf(c.expected.front());
        ASSERT_GE(at, 0);
        EXPECT_EQ(log.mid(at, c.expected.size()), c.expected) << "one heading, the findings under it";
    }
    EXPECT_TRUE(m_window->Boxes().empty()) << "choosing a folder asks nothing";
}

TEST_F(DvdCheckWindowTest, BurnOfAFolderWithAnErrorAsksAndNoStopsBeforeTheDisc)
{
    Start(FastDvdWriter);
    PrepareBurn(SourceNamingAMissingSet());
    AnswerCheckQuestion(mb::IdNo);
    m_window->m_btnBurn->click();

    const auto boxes = m_window->Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].text, Text(992));
    EXPECT_EQ(boxes[0].type, mb::YesNo | mb::IconQuestion | mb::DefaultButton2) << "No is the default";
    const QStringList log = Log();
    EXPECT_TRUE(log.contains(MissingSetLine())) << log.join('\n').toStdString();
    EXPECT_FALSE(ImageWritten());
    EXPECT_EQ(m_window->m_strStatus, Text(786));
    EXPECT_FALSE(m_window->IsBusy());
}

TEST_F(DvdCheckWindowTest, BurnAnywayBurns)
{
    Start(FastDvdWriter);
    PrepareBurn(SourceNamingAMissingSet());
    AnswerCheckQuestion(mb::IdYes);
    m_window->m_btnBurn->click();

    EXPECT_TRUE(m_window->Asked(QStringLiteral("Orvane Burn")));
    EXPECT_TRUE(Log().contains(Text(784))) << Log().join('\n').toStdString();
    EXPECT_TRUE(ImageWritten());
}

TEST_F(DvdCheckWindowTest, CleanFolderBurnsWithoutAQuestion)
{
    Start(FastDvdWriter);
    PrepareBurn(MenulessSample());
    m_window->m_btnBurn->click();

    EXPECT_FALSE(m_window->Asked(QStringLiteral("Orvane Burn")));
    const QStringList log = Log();
    EXPECT_TRUE(log.contains(Text(991))) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains(Text(784)));
}

} // namespace
