// --json: every line on standard output is one JSON object that Python's
// json module reads, whatever the names in it hold, and the last one is the
// run's end with its status and the reason line standard error also holds.
#include "ProgramRun.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

using namespace e2e;

// The events of a run's standard output, each line read by Python first.
QList<QJsonObject> Events(const QString &out)
{
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, u"import json, sys\n"
                                         "for line in sys.stdin.read().splitlines():\n"
                                         "    assert isinstance(json.loads(line)['event'], str), line\n"_s});
    python.write(out.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished();
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    QList<QJsonObject> events;
    for (const QString &line : Lines(out))
        events << QJsonDocument::fromJson(line.toUtf8()).object();
    return events;
}

TEST_F(UnattendedRunTest, JsonLinesOfASuccessAndOfFailuresParseAndEndWithTheStatus)
{
    const QString odd = m_source + u"-\"quoted\"\nand a new line"_s;
    const struct
    {
        QStringList arguments;
        runexit::Status status;
        bool usedDisc;
    } cases[] = {
        {{u"--json"_s, u"-d"_s, m_source}, runexit::Success, false},
        {{u"--json"_s, u"-o"_s, u"-d"_s, odd}, runexit::CompilationFailed, true},
        {{u"-d"_s, m_source, u"--json"_s, u"-v"_s, u"BAD\"!\nNAME"_s}, runexit::LabelRefused, true},
        {{u"--json"_s, u"-d"_s, m_source}, runexit::OverwriteDeclined, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        if (c.usedDisc)
            UseUsedDisc();
        const QByteArray medium = MediumSnapshot();
        const ProgramRun run = RunProgram(c.arguments);
        EXPECT_EQ(run.exitCode, c.status) << run.err.toStdString();
        const QList<QJsonObject> events = Events(run.out);
        ASSERT_FALSE(events.isEmpty());
        const QJsonObject end = events.last();
        EXPECT_EQ(end[u"event"_s].toString(), u"end"_s);
        EXPECT_EQ(end[u"status"_s].toInt(-1), c.status);
        EXPECT_EQ(end[u"reason"_s].toString(),
                  c.status == runexit::Success ? QString() : Lines(run.err).last());
        QStringList kinds;
        int lastPercent = -1;
        for (const QJsonObject &event : events) {
            kinds << event[u"event"_s].toString();
            if (kinds.last() == u"progress"_s) {
                EXPECT_NE(event[u"percent"_s].toInt(), lastPercent) << "one line per percent";
                lastPercent = event[u"percent"_s].toInt();
            }
        }
        EXPECT_EQ(kinds.count(u"end"_s), 1);
        EXPECT_TRUE(kinds.contains(u"log"_s));
        if (c.status == runexit::Success) {
            for (const char *kind : {"phase", "progress", "checksum"})
                EXPECT_TRUE(kinds.contains(QString::fromLatin1(kind))) << kind;
            EXPECT_FALSE(run.err.contains(u" %"_s)) << "no progress on standard error";
        } else {
            EXPECT_EQ(MediumSnapshot(), medium);
            EXPECT_FALSE(kinds.contains(u"checksum"_s));
        }
    }
    // Refused together: a quiet run would leave the script nothing to read.
    const ProgramRun quiet = RunProgram({u"--json"_s, u"-q"_s, u"-d"_s, m_source});
    EXPECT_EQ(quiet.exitCode, runexit::ParseError);
    EXPECT_EQ(quiet.out, QString());
    EXPECT_TRUE(Lines(quiet.err).last().contains(Text(1150).chopped(1))) << quiet.err.toStdString();
}

} // namespace
