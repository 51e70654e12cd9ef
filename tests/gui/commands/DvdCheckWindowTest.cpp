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
    // m_source with a video manager that names a second, missing title set.
    QString SourceNamingAMissingSet() const
    {
        for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
            QFile file(m_source + QStringLiteral("/VIDEO_TS/") + QLatin1String(name));
            if (file.open(QIODevice::ReadWrite) && file.seek(0x3F))
                file.write("\x02", 1);
        }
        return m_source;
    }
    QString MissingSetLine() const
    {
        return QStringLiteral("  ") +
               FormatText(Text(993), {FormatText(Text(997), {2, QStringLiteral("VTS_02_0.IFO")})});
    }
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
        ASSERT_TRUE(WaitFor([&] { return Log().contains(c.expected.back()); }, 20000))
            << c.folder.toStdString() << "\n"
            << Log().join('\n').toStdString();
        const QStringList log = Log();
        const qsizetype at = log.lastIndexOf(c.expected.front());
        ASSERT_GE(at, 0);
        EXPECT_EQ(log.mid(at, c.expected.size()), c.expected) << "one heading, the findings under it";
    }
    EXPECT_TRUE(m_window->boxes.Boxes().empty()) << "choosing a folder asks nothing";
}

// At the start of a burn an error asks whether to burn anyway (No is the
// default and stops before the disc); a clean folder burns without asking.
struct CheckCase
{
    const char *name;
    bool clean;
    int answer;
    bool burned;
};

class DvdCheckBurnTest : public DvdCheckWindowTest, public testing::WithParamInterface<CheckCase>
{
};

TEST_P(DvdCheckBurnTest, AnErrorAsksWhetherToBurnAnyway)
{
    const CheckCase &c = GetParam();
    Start(FastDvdWriter);
    PrepareBurn(c.clean ? MenulessSample() : SourceNamingAMissingSet());
    Answer(992, c.answer);
    m_window->m_btnBurn->click();

    const auto boxes = m_window->boxes.Boxes();
    const QStringList log = Log();
    EXPECT_EQ(m_window->boxes.Showed(Text(992)), c.clean ? 0 : 1) << log.join('\n').toStdString();
    if (!c.clean) {
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0].text, Text(992));
        EXPECT_EQ(boxes[0].type, mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
    }
    EXPECT_TRUE(log.contains(c.clean ? Text(991) : MissingSetLine()));
    EXPECT_EQ(QFile(Image()).size() > 0, c.burned);
    EXPECT_EQ(log.contains(Text(784)), c.burned);
    if (!c.burned) {
        EXPECT_EQ(m_window->m_strStatus, Text(786));
    }
    EXPECT_FALSE(m_window->IsBusy());
}

INSTANTIATE_TEST_SUITE_P(Cases, DvdCheckBurnTest,
                         testing::Values(CheckCase{"NoStopsBeforeTheDisc", false, mb::IdNo, false},
                                         CheckCase{"BurnAnyway", false, mb::IdYes, true},
                                         CheckCase{"CleanFolderAsksNothing", true, mb::IdNo, true}),
                         [](const testing::TestParamInfo<CheckCase> &testInfo) {
                             return std::string(testInfo.param.name);
                         });

} // namespace
