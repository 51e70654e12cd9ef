// The copies loop against a scripted host: which copies it tries, what it
// counts, why it stops, and the image dates it pins for the copies.
#include "jobs/copies/CopiesRun.h"
#include "RecordingJobWindow.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Script
{
    std::vector<int> results; // one per copy
    bool goOn = false;
    QString discWhy; // NextDisc fails with it when set
    bool abortAfterFirst = false;
    QString touchAfterFirst; // a source file changed after copy 1
};

struct ScriptedHost : jobs::ICopiesHost, Script
{
    explicit ScriptedHost(const Script &script) : Script(script) {}
    int tried = 0;
    QStringList epochs;

    int BurnCopy(bool) override
    {
        epochs << qEnvironmentVariable("SOURCE_DATE_EPOCH");
        const int result = results.at(tried++);
        if (!touchAfterFirst.isEmpty())
            QFile(touchAfterFirst).open(QIODevice::Append);
        return result;
    }
    bool NextDisc(int, int, QString &why) override
    {
        why = discWhy;
        return discWhy.isEmpty();
    }
    bool GoOnAfterFailure(int, int) override { return goOn; }
    bool StopRequested() const override { return abortAfterFirst && tried > 0; }
};

TEST(RunCopies, TriesCountsAndStopsAsTheHostAndTheSourcesSay)
{
    const QString folder = testenv::makeTempDir(QStringLiteral("film"));
    const struct
    {
        const char *name;
        Script script;
        int tried, burned;
        QString stopped;
    } cases[] = {
        {"all three", {{0, 0, 0}, false, {}, false, {}}, 3, 3, {}},
        {"a failure stops", {{8, 0, 0}, false, {}, false, {}}, 1, 0, {}},
        {"told to go on", {{8, 0, 8}, true, {}, false, {}}, 3, 1, {}},
        {"an abort never goes on", {{BURN_USER_ABORT, 0}, true, {}, false, {}}, 1, 0, {}},
        {"no disc came", {{0, 0}, false, "late", false, {}}, 1, 1, "late"},
        {"aborted between", {{0, 0}, false, {}, true, {}}, 1, 1, "<1204>"},
        {"the folder changed", {{0, 0}, false, {}, false, folder + "/VOB"}, 1, 1, "<1203>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingJobWindow window;
        ScriptedHost host(c.script);
        const int copies = int(c.script.results.size());
        const jobs::CopiesOutcome outcome = jobs::RunCopies(copies, true, folder, host, window);
        EXPECT_EQ(host.tried, c.tried);
        EXPECT_EQ(outcome.burned, c.burned);
        EXPECT_EQ(outcome.stoppedBecause, c.stopped);
        EXPECT_EQ(window.log.last(), QStringLiteral("<1198>")) << "the summary comes last";
        EXPECT_EQ(host.epochs.filter(QRegularExpression("^[0-9]+$")).size(), c.tried);
        EXPECT_EQ(host.epochs.removeDuplicates(), c.tried - 1) << "one moment for every copy";
        EXPECT_FALSE(qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"));
    }
}

} // namespace
