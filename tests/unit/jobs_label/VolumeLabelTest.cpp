// The label rules: cleaning, the length limits and the refusal of a label
// that still holds a character a disc label cannot.
#include "RecordingJobWindow.h"
#include "RecordingVolumeNames.h"
#include "support/TestEnvironment.h"

#include "jobs/label/LabelFromFolder.h"
#include "jobs/label/VolumeLabel.h"

#include <gtest/gtest.h>

namespace {

TEST(VolumeLabelTest, NormalizeRules)
{
    const struct
    {
        const char *text;
        const char *label;
    } cases[] = {
        {"my film", "MY_FILM"},
        {"Top-Gun.2", "TOP_GUN_2"},
        {"Rock & Roll", "ROCK___ROLL"},
        {"A", "NO_NAME"},
        {"(?)", "NO_NAME"},
        {"GRÖßE", "GROESSE"},
        {"grüße", "GRUESSE"},
        {"Ärger", "AERGER"},
        {"CAFÉ!", "CAFÉ!"}, // passes unchanged
        {"café", "CAFÉ"},   // é is upper-cased, not removed
        {"Disc:Two", "NO_NAME"},
        {"a+b,c#d[e]{f}\\g", "A_BCDEFG"},
        {"it's $5", "IT'S_$5"},
    };
    RecordingJobWindow window;
    for (const auto &c : cases) {
        EXPECT_EQ(NormalizeVolumeLabel(QString::fromUtf8(c.text), 32, window), QString::fromUtf8(c.label))
            << c.text;
    }
    EXPECT_TRUE(window.boxes.Boxes().empty());
}

TEST(VolumeLabelTest, LimitsCutWithOneInformationBox)
{
    EXPECT_EQ(VolumeLabelLimit(true), 16);
    EXPECT_EQ(VolumeLabelLimit(false), 32);
    const struct
    {
        int length;
        int limit;
        int kept;
        bool box;
    } cases[] = {
        {16, 16, 16, false},
        {17, 16, 16, true},
        {32, 32, 32, false},
        {33, 32, 32, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " characters, limit " << c.limit);
        RecordingJobWindow window;
        window.texts[622] = "At most %d characters.";
        const QString label = NormalizeVolumeLabel(QString(c.length, QChar('x')), c.limit, window);
        EXPECT_EQ(label, QString(c.kept, QChar('X')));
        ASSERT_EQ(window.boxes.Boxes().size(), c.box ? 1u : 0u);
        if (c.box) {
            EXPECT_EQ(window.boxes.Boxes()[0].text, QString("At most %1 characters.").arg(c.limit));
            EXPECT_EQ(window.boxes.Boxes()[0].caption, "Information");
            EXPECT_EQ(window.boxes.Boxes()[0].type, mb::Ok | mb::IconInformation);
        }
        EXPECT_EQ(LabelRoomText(label, c.limit), QString::number(c.limit - c.kept));
    }
    EXPECT_EQ(LabelRoomText("ABCDEFGHIJKLMNOPQRST", 16), "-4");
    RecordingJobWindow window;
    const QString cut =
        NormalizeVolumeLabel(QString::fromUtf8("ABCDEFGHIJKLMNO\xf0\x9f\x8e\xacXYZ"), 16, window);
    EXPECT_EQ(cut, QString::fromUtf8("ABCDEFGHIJKLMNO\xf0\x9f\x8e\xac"))
        << "cutting never splits a character";
    EXPECT_EQ(CharacterCount(cut), 16);
}

TEST(VolumeLabelTest, ValidateRefusesAtTheFirstDisallowedCharacterWhole)
{
    const struct
    {
        const char *label;
        const char *refused;
    } cases[] = {
        {"CAF\xc3\x89!", "\xc3\x89"},                 // CAFÉ! at the É, not the !
        {"FILM\xf0\x9f\x8e\xac", "\xf0\x9f\x8e\xac"}, // a character outside the basic plane
        {"IT'S", "'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        RecordingJobWindow window;
        window.texts[594] = "Label character '%c' not allowed";
        window.texts[596] = "Refused: %c";
        QString volume = QString::fromUtf8(c.label);
        EXPECT_EQ(ValidateVolumeLabel(volume, 32, window), -1);
        ASSERT_EQ(window.boxes.Boxes().size(), 1u);
        EXPECT_EQ(window.boxes.Boxes()[0].text,
                  "Label character '" + QString::fromUtf8(c.refused) + "' not allowed");
        EXPECT_EQ(window.boxes.Boxes()[0].caption, "Error!");
        EXPECT_EQ(window.boxes.Boxes()[0].type, mb::Ok | mb::IconStop);
        EXPECT_EQ(window.log, QStringList({"Refused: " + QString::fromUtf8(c.refused)}));
    }
}

TEST(VolumeLabelTest, LabelFromFolderPathCases)
{
    RecordingVolumeNames volumes;
    volumes.names["/"] = "Holiday 2004";
    volumes.names["/media/a:b/"] = "Second Disc";
    const struct
    {
        const char *path;
        const char *label;
        const char *asked; // root whose label was read, "" when none
    } cases[] = {
        {"/movies/MY_FILM", "MY_FILM", ""},
        {"/movies/my film///", "MY_FILM", ""},
        {"/", "HOLIDAY_2004", "/"},
        {"/media/a:b", "SECOND_DISC", "/media/a:b/"},
        {"/media/c:d", "NO_NAME", "/media/c:d/"}, // no label: the component, refused for its colon
        {"relative", "NO_NAME", "relative/"},     // no "/" at all: not a root either
        {"", "NO_NAME", "/"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        volumes.asked.clear();
        RecordingJobWindow window;
        if (QByteArray(c.path).isEmpty())
            volumes.names.erase("/");
        EXPECT_EQ(LabelFromFolder(QString::fromUtf8(c.path), 32, window, volumes), c.label);
        EXPECT_EQ(volumes.asked, QByteArray(c.asked).isEmpty() ? QStringList() : QStringList({c.asked}));
    }
}

} // namespace
