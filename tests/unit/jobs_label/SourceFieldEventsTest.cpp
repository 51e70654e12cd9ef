// The window events on the source and label fields, against a host that
// records the order of the window's steps.
#include "RecordingJobWindow.h"
#include "RecordingVolumeNames.h"

#include "jobs/label/SourceFieldEvents.h"
#include "jobs/ports/SourceFieldPorts.h"

#include <gtest/gtest.h>

namespace {

// The window too: its status line is recorded among the steps.
class RecordingHost : public RecordingJobWindow, public ISourceFields, public ISourceFieldSteps
{
public:
    void SetStatusText(const QString &text) override { steps << "status " + text; }
    QString &SourceDir() override { return sourceDir; }
    QString &Volume() override { return volume; }
    int LabelLimit() const override { return limit; }
    void PullFields() override
    {
        steps << "pull";
        sourceDir = fieldSourceDir;
        volume = fieldVolume;
    }
    void PushFields() override
    {
        steps << "push";
        fieldSourceDir = sourceDir;
        fieldVolume = volume;
    }
    void SetLabelRoomText(const QString &text) override { steps << "room " + text; }
    void CheckSourceSize() override { steps << "size " + sourceDir; }
    void SetLabelFromFolder(const QString &path) override { steps << "label " + path; }
    void ShowLabelRoom() override { steps << "show room"; }
    int BrowseForFolder(const QString &title, const QString &initial, unsigned flags,
                        QString &chosen) override
    {
        steps << QStringLiteral("browse %1 %2 %3").arg(title, initial).arg(flags, 0, 16);
        chosen = picked;
        return pickerResult;
    }

    SourceFieldPorts ports() { return {*this, *this}; }

    QString sourceDir, volume, fieldSourceDir, fieldVolume, picked;
    int pickerResult = 1;
    int limit = 32;
    QStringList steps;
};

// A folder picked is measured and names the label; a cancelled picker or a
// folder too short to name one leaves both alone.
TEST(SourceFieldEventsTest, DirectoryPickedCancelledOrTooShort)
{
    const struct
    {
        int result;
        const char *picked, *field;
        QStringList stepsAfterPicker;
    } cases[] = {
        {1,
         "/media/dvd/MY FILM",
         "/media/dvd/MY FILM",
         {"size /media/dvd/MY FILM", "label /media/dvd/MY FILM", "status <766>", "push"}},
        {2, "/x/y", "Can't get dir...", {"status <766>", "push"}},
        {1, "/", "/", {"status <766>", "push"}},
    };
    for (const auto &c : cases) {
        RecordingHost host;
        host.sourceDir = "/old";
        host.pickerResult = c.result;
        host.picked = c.picked;
        OnDirectory(host, host.ports());
        EXPECT_EQ(host.fieldSourceDir, c.field);
        EXPECT_EQ(host.steps,
                  QStringList({"status <764>", "push", "browse <765> /old 49"}) + c.stepsAfterPicker)
            << c.picked;
    }
}

TEST(SourceFieldEventsTest, SourceFieldChangedExactly)
{
    const struct
    {
        const char *before;
        const char *typed;
        bool measured;
    } cases[] = {{"/a/film", "/a/film", false}, {"/a/film", "/a/Film", true}, {"", "/b", true}};
    for (const auto &c : cases) {
        RecordingHost host;
        host.sourceDir = c.before;
        host.fieldSourceDir = c.typed;
        OnSourceFieldLeft(host.ports());
        const QStringList expected =
            c.measured
                ? QStringList({"pull", QString("size ") + c.typed, QString("label ") + c.typed, "push"})
                : QStringList({"pull", "push"});
        EXPECT_EQ(host.steps, expected) << c.typed;
    }
}

TEST(SourceFieldEventsTest, DropOfOneItemOnly)
{
    RecordingHost host;
    host.sourceDir = "/old";
    host.volume = "OLD";
    OnItemsDropped({"/a/one", "/a/two"}, host, host.ports());
    EXPECT_TRUE(host.steps.isEmpty());
    EXPECT_EQ(host.sourceDir, "/old");

    OnItemsDropped({"/discs/holiday 2004/"}, host, host.ports());
    EXPECT_EQ(host.steps, QStringList({"size /discs/holiday 2004/", "push", "show room"}));
    EXPECT_EQ(host.fieldVolume, "HOLIDAY_2004");
    EXPECT_EQ(host.fieldSourceDir, "/discs/holiday 2004/");
}

TEST(SourceFieldEventsTest, LabelSettersRefreshTheCounter)
{
    RecordingHost host;
    host.limit = 16;
    SetLabelFromFolder("/x/my film", host, host.ports(), RecordingVolumeNames());
    EXPECT_EQ(host.fieldVolume, "MY_FILM");
    EXPECT_EQ(host.steps, QStringList({"push", "show room"}));

    host.steps.clear();
    host.fieldVolume = "MY_FILM";
    ShowLabelRoom(host.ports());
    EXPECT_EQ(host.steps, QStringList({"pull", "room 9", "push"}));

    host.steps.clear();
    host.volume = "bad!";
    EXPECT_EQ(ValidateVolumeLabel(host, host.ports()), -1);
    EXPECT_TRUE(host.steps.isEmpty());
    host.volume = "good one";
    EXPECT_EQ(ValidateVolumeLabel(host, host.ports()), 0);
    EXPECT_EQ(host.fieldVolume, "GOOD_ONE");

    host.steps.clear();
    host.fieldVolume = "rock & roll";
    OnVolumeFieldLeft(host, host.ports());
    EXPECT_EQ(host.fieldVolume, "ROCK___ROLL") << "the field is cleaned in place";
    EXPECT_EQ(host.steps, QStringList({"pull", "push", "show room"}));
}

} // namespace
